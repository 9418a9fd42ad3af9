// The task queue over the main window's list view: every queued task is one row.
#include "tasks/task_list.h"

#include "forms/main_form.h"
#include "platform/vocabulary.h"

namespace TaskList {
namespace {

ui::Ctl List() {
    return {forms::main_window::kWindow, forms::main_window::kTaskList};
}

}  // namespace

int RowCount() {
    return ui::RowCount(List());
}

std::string CellText(int row, int column) {
    return ui::CellText(List(), row, column);
}

void SetCellText(int row, int column, const std::string& text) {
    ui::SetCellText(List(), row, column, text);
}

int AppendRow() {
    return ui::AppendRow(List());
}

void DeleteRow(int row) {
    ui::DeleteRow(List(), row);
}

int SelectedRow() {
    return ui::SelectedIndex(List());
}

void AppendTaskRow(const std::string& font, const std::string& task,
                   const std::string& replaceWith) {
    int row = AppendRow();
    if (row < 0) return;
    SetCellText(row, kFontColumn, font);
    SetCellText(row, kTaskColumn, task);
    SetCellText(row, kReplaceWithColumn, replaceWith);
}

void SetResult(int row, const std::string& text) {
    SetCellText(row, kResultColumn, text);
}

void ShowProgress(int row, bool last) {
    ui::ShowProgressAt(List(), row, last);
}

}  // namespace TaskList
