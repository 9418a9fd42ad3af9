// File-name extraction, overwriting copies and the existence test.
#include "fontfs/file_utils.h"

#include "platform/codepage.h"
#include "platform/files.h"

std::string FileNameOfPath(const std::string& path) {
    // PathFindFileNameA: the text after the last "\", "/" or ":" that is followed by more
    // than another separator (so "C:\dir\" gives "dir\"). Double-byte characters are
    // stepped over whole: a trail byte 0x5C is not a separator.
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[i]);
        if (platform::IsLeadByte936(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c != '\\' && c != '/' && c != ':') continue;
        if (i + 1 < path.size() && path[i + 1] != '\\' && path[i + 1] != '/') start = i + 1;
    }
    return path.substr(start);
}

bool CopyFileOverwriting(const std::string& source, const std::string& destination) {
    return platform::CopyOneFile(source, destination, false);
}

bool FileExists(const std::string& path) {
    if (path.empty()) return false;
    platform::DirEntry entry;
    platform::SearchHandle search = platform::FindFirstEntry(path, &entry);
    if (!search) return false;
    platform::CloseSearch(search);
    return true;
}
