// Dropped files: which of them are font files, and where they go.
#include "tasks/dropped_files.h"

#include "forms/task_form.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/vocabulary.h"
#include "tasks/font_work.h"
#include "tasks/task_window.h"

namespace {

using namespace forms::task_window;

bool EndsWithIgnoringCase(const std::string& text, const std::string& end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i) {
        unsigned char a = static_cast<unsigned char>(text[text.size() - end.size() + i]);
        unsigned char b = static_cast<unsigned char>(end[i]);
        if ((a >= 'A' && a <= 'Z' ? a + 32 : a) != (b >= 'A' && b <= 'Z' ? b + 32 : b))
            return false;
    }
    return true;
}

// Whether the file dialog of the add and replace pages would list a file of that name:
// its name ends as one of the filter's "*.ext" patterns does, in any case. The filter's
// label is code page 936 text, in which "|" may be a trail byte.
bool IsFontFileName(const std::string& name) {
    const std::string filter = kFontFileFilter;
    std::size_t patterns = 0;
    for (std::size_t i = 0; i < filter.size(); i += platform::CharSize936(filter, i))
        if (filter[i] == '|') patterns = i + 1;
    for (std::size_t start = patterns; start < filter.size();) {
        std::size_t end = filter.find(';', start);
        if (end == std::string::npos) end = filter.size();
        if (filter[start] == '*' &&
            EndsWithIgnoringCase(name, filter.substr(start + 1, end - start - 1)))
            return true;
        start = end + 1;
    }
    return false;
}

// The entry a dropped path names; false when it names nothing (a drive, say).
bool LookUp(const std::string& path, platform::DirEntry* entry) {
    platform::SearchHandle search = platform::FindFirstEntry(path, entry);
    if (search == nullptr) return false;
    platform::CloseSearch(search);
    return true;
}

// The font files a drop names, in its order: each dropped font file, and the font files
// directly in each dropped folder, in the order its listing gives.
std::vector<std::string> FontFilesOf(const std::vector<std::string>& paths) {
    std::vector<std::string> fonts;
    for (const std::string& path : paths) {
        platform::DirEntry entry;
        if (!LookUp(path, &entry)) continue;
        if (!entry.isDirectory) {
            if (IsFontFileName(entry.name)) fonts.push_back(path);
            continue;
        }
        platform::SearchHandle search = platform::FindFirstEntry(path + "\\*", &entry);
        if (search == nullptr) continue;
        do {
            if (!entry.isDirectory && IsFontFileName(entry.name))
                fonts.push_back(path + "\\" + entry.name);
        } while (platform::FindNextEntry(search, &entry));
        platform::CloseSearch(search);
    }
    return fonts;
}

}  // namespace

void QueueDroppedFonts(const std::vector<std::string>& paths) {
    if (FontWork::Underway()) return;
    for (const std::string& font : FontFilesOf(paths)) QueueAddOf(font);
}

void TakeDroppedFont(const std::vector<std::string>& paths) {
    const char* box = ui::Checked({kWindow, kAddPageRadio})       ? kAddPathBox
                      : ui::Checked({kWindow, kReplacePageRadio}) ? kReplacementPathBox
                                                                  : nullptr;
    if (box == nullptr) return;
    std::vector<std::string> fonts = FontFilesOf(paths);
    if (!fonts.empty()) ui::SetText({kWindow, box}, fonts.front());
}
