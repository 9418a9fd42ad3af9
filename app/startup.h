// Start-up and shutdown: the global lists, the exit clean-up and the main window.
#pragma once

// The title the main window shows once it has been created.
constexpr const char* kMainWindowTitle = "字体管理器 - 添加、删除、替换系统字体";

// The exit clean-up: releases the catalogue, then the task files.
void ReleaseGlobals();
// The main window's destroyed event: ends the program.
void MainWindowDestroyed();
