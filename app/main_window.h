// The main window's own handlers: its creation, the button that opens the task window,
// and the delete button that follows the list's selection.
#pragma once

void MainWindowCreated();
// A click in the task list, on a row or on empty space.
void UpdateDeleteButton();
// 按钮_添加: loads the task window modally.
void OpenTaskWindow();
// 按钮_删除: takes the selected row out of the list.
void RemoveSelectedTask();
