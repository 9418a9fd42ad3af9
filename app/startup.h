// Start-up and shutdown: the global lists, the exit clean-up and the main window.
#pragma once

// The title the main window shows once it has been created.
constexpr const char* kMainWindowTitle = "字体管理器 - 添加、删除、替换系统字体";

// The start routine: creates the global lists, registers ReleaseGlobals and loads the
// main window modally. Returns only when the main window is gone.
void StartProgram();
// The exit clean-up: releases the catalogue, then the task files.
void ReleaseGlobals();
