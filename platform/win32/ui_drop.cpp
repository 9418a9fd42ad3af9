// Files dragged from Explorer and let go over a window that takes them: WM_DROPFILES
// brings a drop handle naming them, which is read, let go of and handed to the form's
// drop handler as code page 936 paths.
#include "platform/win32/loaded_function.h"
#include "platform/win32/text_936.h"
#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {

// The message in which a drop's data crosses between processes; no header names it.
constexpr UINT kCopyGlobalData = 0x0049;

using ChangeWindowMessageFilterExFn = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);

}  // namespace

// The program runs as administrator, and Windows keeps a program of lower rights from
// sending messages to it (User Interface Privilege Isolation): Explorer, which the files
// are dragged from, could not make a drop of the three messages it is made of. Each
// window that takes drops lets these three through, and only them. The call is looked up
// at run time, as every call that a Windows version may lack; Wine has it but enforces
// none of this.
void AcceptDroppedFiles(const LoadedWindow& window) {
    if (window.form->onFilesDropped == nullptr) return;
    DragAcceptFiles(window.hwnd, TRUE);
    static const auto allow = platform::win32::LoadedFunction<ChangeWindowMessageFilterExFn>(
        L"user32.dll", "ChangeWindowMessageFilterEx");
    if (allow == nullptr) return;
    for (UINT message :
         {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData})
        allow(window.hwnd, message, MSGFLT_ALLOW, nullptr);
}

void DeliverDroppedFiles(LoadedWindow& window, HDROP drop) {
    std::vector<std::string> paths;
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring wide(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        wide.resize(DragQueryFileW(drop, i, wide.data(), static_cast<UINT>(wide.size())));
        // A path that code page 936 cannot hold could only be named wrongly from here on:
        // it is passed over, as the file dialog's choice of it is refused.
        std::string path;
        if (platform::win32::NarrowExactly(wide, &path)) paths.push_back(path);
    }
    DragFinish(drop);
    // A disabled window takes no drop, as Windows' own drags never end on one.
    if (window.form->onFilesDropped == nullptr || !IsWindowEnabled(window.hwnd)) return;
    DropHandler handler = window.form->onFilesDropped;
    RunHandler([&] { handler(paths); });
}

}  // namespace ui::win32
