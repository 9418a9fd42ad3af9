// The file-open dialog component: its title and chosen file name, and Open, which shows
// the system dialog set up from the form's dialog settings.
#include "platform/win32/text_936.h"
#include "platform/win32/ui_internal.h"

#include <commdlg.h>

namespace ui::win32 {
namespace {

// "label|patterns" becomes the NUL-separated list the dialog takes, ending in two NULs.
// The bars are replaced after the conversion: in code page 936, '|' may be a trail byte.
std::wstring DialogFilter(const char* filter) {
    std::wstring wide = Widen(filter != nullptr ? filter : "");
    if (wide.empty()) return wide;
    if (wide.size() < 2 || wide.compare(wide.size() - 2, 2, L"||") != 0)
        wide += wide.back() == L'|' ? L"|" : L"||";
    for (wchar_t& ch : wide) {
        if (ch == L'|') ch = L'\0';
    }
    return wide;
}

// The dialog gets the initial folder as a full path, so that a relative one (".\") is
// taken from the working folder of the moment.
std::wstring FullFolder(const char* folder) {
    std::wstring wide = Widen(folder != nullptr ? folder : "");
    if (wide.empty()) return wide;
    DWORD needed = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return wide;
    std::wstring full(needed, L'\0');
    DWORD got = GetFullPathNameW(wide.c_str(), needed, full.data(), nullptr);
    full.resize(got < needed ? got : 0);
    return full.empty() ? wide : full;
}

DWORD DialogFlags(const FileDialogSpec& settings) {
    DWORD flags = OFN_EXPLORER;
    if (settings.fileMustExist) flags |= OFN_FILEMUSTEXIST;
    if (settings.pathMustExist) flags |= OFN_PATHMUSTEXIST;
    if (settings.hideReadOnly) flags |= OFN_HIDEREADONLY;
    if (settings.overwritePrompt) flags |= OFN_OVERWRITEPROMPT;
    if (settings.keepWorkingFolder) flags |= OFN_NOCHANGEDIR;
    return flags;
}

Control* DialogOf(Ctl c) {
    return FindControlOfKind(c, Kind::CommonDlg);
}

}  // namespace
}  // namespace ui::win32

namespace ui {

using namespace ui::win32;

void SetDialogTitle(Ctl c, const std::string& title) {
    if (Control* dialog = DialogOf(c)) dialog->dialogTitle = title;
}

std::string FileName(Ctl c) {
    Control* dialog = DialogOf(c);
    return dialog != nullptr ? dialog->fileName : std::string();
}

bool Open(Ctl c) {
    Control* dialog = DialogOf(c);
    LoadedWindow* window = FindWindowNamed(c.window);
    if (dialog == nullptr || window == nullptr || dialog->row->dialog == nullptr) return false;
    const FileDialogSpec& settings = *dialog->row->dialog;

    std::wstring filter = DialogFilter(settings.filter);
    std::wstring title = Widen(dialog->dialogTitle);
    std::wstring folder = FullFolder(settings.initialFolder);
    std::wstring file(32768, L'\0');

    OPENFILENAMEW request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = window->hwnd;
    request.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    // The form counts entries from 0 and anything below means the first; the dialog from 1.
    request.nFilterIndex =
        static_cast<DWORD>(settings.filterIndex > 0 ? settings.filterIndex : 0) + 1;
    request.lpstrFile = file.data();
    request.nMaxFile = static_cast<DWORD>(file.size());
    request.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    request.lpstrTitle = title.empty() ? nullptr : title.c_str();
    request.Flags = DialogFlags(settings);
    // The dialog may move the working folder to the chosen file's. It is put back by its
    // UTF-16 path, which any folder has, not only one that code page 936 can hold.
    std::wstring workingFolder(MAX_PATH, L'\0');
    DWORD length = GetCurrentDirectoryW(MAX_PATH, workingFolder.data());
    workingFolder.resize(length < MAX_PATH ? length : 0);
    bool chosen = GetOpenFileNameW(&request) != FALSE;
    if (!workingFolder.empty()) SetCurrentDirectoryW(workingFolder.c_str());
    if (!chosen) return false;
    // A path that code page 936 cannot hold could only be named wrongly from here on (a
    // "?" that a search takes for a wildcard, or a look-alike): the choice is refused, the
    // outcome is that of a cancel, and the path box keeps what it had.
    std::string path;
    if (!platform::win32::NarrowExactly(file.c_str(), &path)) return false;
    dialog->fileName = path;
    return true;
}

}  // namespace ui
