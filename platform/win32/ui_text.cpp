// Code page 936 <-> UTF-16 at the edge of the control layer: the logic keeps byte strings
// in code page 936, the controls are driven through the W functions.
//
// Captions, cells and items are converted leniently: a text the exact conversion refuses
// still shows, with a "?" where 936 has no character, as it always has. The program's own
// texts and the file names it lists are all exact 936 text, so for them the two agree; a
// control's text read back is what the program wrote. Only file names must be exact, and
// the file dialog's chosen path is converted exactly (ui_file_dialog.cpp).
#include "platform/win32/text_936.h"
#include "platform/win32/ui_internal.h"

namespace ui::win32 {

std::wstring Widen(const std::string& text) {
    return platform::win32::WidenForDisplay(text);
}

std::string Narrow(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) return {};
    return platform::win32::NarrowForDisplay(
        std::wstring_view(text, static_cast<std::size_t>(length)));
}

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(hwnd, wide.data(), length + 1);
    return Narrow(wide.data(), got);
}

}  // namespace ui::win32
