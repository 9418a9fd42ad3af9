// The main window's own handlers: its creation, and the delete button that follows the
// list's selection.
#include "app/main_window.h"

#include "app/startup.h"
#include "fontfs/catalogue.h"
#include "forms/forms.h"
#include "forms/main_form.h"
#include "platform/vocabulary.h"
#include "tasks/task_list.h"

namespace {

ui::Ctl DeleteButton() {
    return {forms::MainForm(), forms::main_window::kDeleteTaskButton};
}

}  // namespace

void MainWindowCreated() {
    ui::SetTitle(forms::MainForm(), kMainWindowTitle);
    ScanFontsFolder();
}

// Runs on every click in the list, on a row or on empty space. A selection made with
// the keyboard fires nothing, so it leaves the button as it was.
void UpdateDeleteButton() {
    ui::SetDisabled(DeleteButton(), TaskList::SelectedRow() == -1);
}

void RemoveSelectedTask() {
    int row = TaskList::SelectedRow();
    if (row == -1) return;
    TaskList::DeleteRow(row);
    ui::SetDisabled(DeleteButton(), true);
}
