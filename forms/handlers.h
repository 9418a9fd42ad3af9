// The event handlers that the form tables run. They are defined by the subsystems
// that own the behaviour (app/ for the main window, tasks/ for the task window and the
// task buttons); the tables only name them.
#pragma once

// Main window (QiroFont).
void MainWindowCreated();
void MainWindowDestroyed();
void UpdateDeleteButton();
void RemoveSelectedTask();
void OpenTaskWindow();
void RunTaskList();
void RestoreBackups();

// Task window (QiruFont).
void TaskWindowCreated();
void ShowAddPage();
void ShowDeletePage();
void ShowReplacePage();
void BrowseAddFile();
void BrowseReplaceFile();
void QueueAddTask();
void QueueDeleteTask();
void QueueReplaceTask();
void CloseTaskWindow();
