// The files chosen in the task window for add and replace tasks. The list is created
// empty at start-up, only ever appended to, and released at exit.
#pragma once

#include <string>
#include <vector>

struct TaskFile {
    std::string fileName;    // file-name part of sourcePath
    std::string sourcePath;  // the path as it stood in the task window's edit box
};

// The global list. Handlers may assume it exists: start-up creates it before any window.
std::vector<TaskFile>& TaskFileList();
void CreateTaskFileList();
// Releases the entries first to last, then the list itself.
void ReleaseTaskFileList();
// Appends a copy at the end.
void AppendTaskFile(const TaskFile& file);
// A copy of the first entry whose fileName equals fileName byte for byte, or a
// TaskFile with both texts empty.
TaskFile FindTaskFile(const std::string& fileName);
