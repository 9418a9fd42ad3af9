// File-name extraction and the existence test.
#include "fontfs/file_utils.h"

#include "platform/files.h"

std::string FileNameOfPath(const std::string& path) {
    return path.substr(platform::FileNameStart(path));
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    platform::DirEntry entry;
    platform::SearchHandle search = platform::FindFirstEntry(path, &entry);
    if (!search) return false;
    platform::CloseSearch(search);
    return true;
}
