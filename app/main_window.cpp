// The main window's own handlers: its creation, the button that opens the task window,
// and the delete button that follows the list's selection.
#include "app/main_window.h"

#include "app/form_tables.h"
#include "app/startup.h"
#include "fontfs/catalogue.h"
#include "forms/main_form.h"
#include "platform/vocabulary.h"
#include "tasks/task_list.h"

namespace {

ui::Ctl DeleteButton() {
    return {forms::main_window::kWindow, forms::main_window::kDeleteTaskButton};
}

}  // namespace

void MainWindowCreated() {
    ui::SetTitle(forms::main_window::kWindow, kMainWindowTitle);
    ScanFontsFolder();
}

// Runs on every click in the list, on a row or on empty space. A selection made with
// the keyboard fires nothing, so it leaves the button as it was.
void UpdateDeleteButton() {
    ui::SetDisabled(DeleteButton(), TaskList::SelectedRow() == -1);
}

void OpenTaskWindow() {
    // Modal: returns when the task window is gone. An open one is only brought forward.
    ui::LoadWindow(TaskForm(), true);
}

void RemoveSelectedTask() {
    int row = TaskList::SelectedRow();
    if (row == -1) return;
    TaskList::DeleteRow(row);
    ui::SetDisabled(DeleteButton(), true);
}
