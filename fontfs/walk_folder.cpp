// The folder walker: a file pass over the matching names, then a subfolder pass that
// descends depth-first while the subfolder's path has fewer parts than the limit.
#include "fontfs/walk_folder.h"

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/process.h"

namespace {

// The number of "\"-separated parts of a path. Double-byte characters are stepped over
// whole, so a trail byte 0x5C never separates; an empty part between two separators
// counts, a trailing empty part does not.
int CountPathParts(const std::string& path) {
    int parts = 1;
    for (std::size_t i = 0; i < path.size(); i += platform::CharSize936(path, i)) {
        if (path[i] == '\\' && i + 1 < path.size()) ++parts;
    }
    return parts;
}

// True when the last byte of text is a "\" that is not the trail byte of a double-byte
// character.
bool EndsWithBackslash(const std::string& text) {
    bool backslash = false;
    for (std::size_t i = 0; i < text.size(); i += platform::CharSize936(text, i))
        backslash = text[i] == '\\';
    return backslash;
}

}  // namespace

void WalkFolder(std::string folder, FileCallback callback, const std::string& pattern,
                bool patternGiven, int depthLimit, bool limitGiven) {
    // The walk's one pause for the user interface, before the folder is listed.
    platform::ProcessPendingEvents();
    if (!EndsWithBackslash(folder)) folder += '\\';
    const std::string namePattern = patternGiven ? pattern : "*.*";
    if (!limitGiven) depthLimit = -1;

    platform::DirEntry entry;
    if (platform::SearchHandle files = platform::FindFirstEntry(folder + namePattern, &entry)) {
        do {
            if (!entry.isDirectory) callback(folder + entry.name);
        } while (platform::FindNextEntry(files, &entry));
        platform::CloseSearch(files);
    }

    // A subfolder's path has one part more than the folder's. When that is not below the
    // limit, no subfolder is entered, and the folder is not listed a second time for them.
    if (depthLimit != -1 && CountPathParts(folder) + 1 >= depthLimit) return;
    if (platform::SearchHandle folders = platform::FindFirstEntry(folder + "*.*", &entry)) {
        do {
            if (!entry.isDirectory || entry.name == "." || entry.name == "..") continue;
            std::string subfolder = folder + entry.name;
            if (depthLimit == -1 || CountPathParts(subfolder) < depthLimit)
                WalkFolder(subfolder, callback, namePattern, true, depthLimit, true);
        } while (platform::FindNextEntry(folders, &entry));
        platform::CloseSearch(folders);
    }
}
