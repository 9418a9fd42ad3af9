// Running the task list: the handler of the main window's 按钮_执行任务.
#pragma once

// Runs every row once, top to bottom, each outcome in its result cell, then rebuilds the
// catalogue. Delete and replace rows back the font file up first and work on files only;
// only add rows register a font.
void RunTaskList();
