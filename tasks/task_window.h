// The task window's handlers: one add, delete or replace task is composed on one of
// three pages and queued as a row of the main window's list (plus, for add and replace, a
// TaskFile naming the chosen file). The main window's 按钮_添加 opens it (app/).
#pragma once

#include <string>

void TaskWindowCreated();
// The page radio buttons.
void ShowAddPage();
void ShowDeletePage();
void ShowReplacePage();
// The browse buttons: the file dialog's choice goes into the page's path box.
void BrowseAddFile();
void BrowseReplaceFile();
// Queues an add of the file at path as the add page's OK does: a row and a TaskFile,
// unless a file of that name (from any folder) is queued already.
void QueueAddOf(const std::string& path);
// The OK buttons: each queues its page's task, or does nothing for bad input.
void QueueAddTask();
void QueueDeleteTask();
void QueueReplaceTask();
// The cancel buttons.
void CloseTaskWindow();
