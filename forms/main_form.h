// The main window's name and the names of its controls, as its form table gives them,
// and the busy reason it gives. The logic and the tests name the window and its controls
// only through these, so a misspelt name does not compile.
#pragma once

namespace forms::main_window {

// The window's name: its form's class name.
inline constexpr const char* kWindow = "QiroFont";

inline constexpr const char* kStatusLabel = "透明标签";  // shown while backups are restored
inline constexpr const char* kRunTasksButton = "按钮_执行任务";
inline constexpr const char* kRestoreButton = "按钮_还原";
inline constexpr const char* kDeleteTaskButton = "按钮_删除";  // removes the selected row
inline constexpr const char* kAddTaskButton = "按钮_添加";     // opens the task window
inline constexpr const char* kBannerPicture = "图片框";
inline constexpr const char* kTaskList = "超级列表框";

// The main window's busy reason while a run or a restore works on the fonts folder.
inline constexpr const char* kBusyReason = "正在执行字体任务";

}  // namespace forms::main_window
