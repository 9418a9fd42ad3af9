// The global list of files chosen for add and replace tasks.
#include "tasks/task_files.h"

namespace {

std::vector<TaskFile> g_taskFiles;

}  // namespace

std::vector<TaskFile>& TaskFileList() {
    return g_taskFiles;
}

void CreateTaskFileList() {
    g_taskFiles.clear();
}

void ReleaseTaskFileList() {
    // Swapping with an empty vector destroys the records first to last and then frees
    // the storage, which is the release order the list promises.
    std::vector<TaskFile>().swap(g_taskFiles);
}

void AppendTaskFile(const TaskFile& file) {
    g_taskFiles.push_back(file);
}

TaskFile FindTaskFile(const std::string& fileName) {
    for (const TaskFile& file : g_taskFiles) {
        if (file.fileName == fileName) return file;
    }
    return {};
}
