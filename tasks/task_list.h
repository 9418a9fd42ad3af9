// The task queue: the rows of the main window's list view. A row has four cells:
// font, task, replace-with and result. Positions count from 0.
#pragma once

#include <string>

namespace TaskList {

constexpr int kFontColumn = 0;
constexpr int kTaskColumn = 1;
constexpr int kReplaceWithColumn = 2;
constexpr int kResultColumn = 3;

int RowCount();
std::string CellText(int row, int column);
void SetCellText(int row, int column, const std::string& text);
int AppendRow();
void DeleteRow(int row);
int SelectedRow();
void AppendTaskRow(const std::string& font, const std::string& task,
                   const std::string& replaceWith);
void SetResult(int row, const std::string& text);
// During a run: the row's result comes into view; last for the run's last row.
void ShowProgress(int row, bool last);

}  // namespace TaskList
