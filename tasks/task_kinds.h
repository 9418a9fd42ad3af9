// The task kinds as the task cell of a row spells them; the run compares them byte for byte.
#pragma once

constexpr const char* kAddTask = "添加字体";
constexpr const char* kDeleteTask = "删除字体";
constexpr const char* kReplaceTask = "替换字体";
