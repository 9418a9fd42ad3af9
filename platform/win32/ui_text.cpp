// Code page 936 <-> UTF-16 at the edge of the control layer: the logic keeps byte strings
// in code page 936, the controls are driven through the W functions.
#include "platform/win32/ui_internal.h"

namespace ui::win32 {
namespace {
constexpr UINT kChineseSimplified = 936;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    int size = static_cast<int>(text.size());
    int needed = MultiByteToWideChar(kChineseSimplified, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0)
        MultiByteToWideChar(kChineseSimplified, 0, text.data(), size, wide.data(), needed);
    return wide;
}

std::string Narrow(const wchar_t* text, int length) {
    if (text == nullptr || length <= 0) return {};
    int needed =
        WideCharToMultiByte(kChineseSimplified, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0)
        WideCharToMultiByte(kChineseSimplified, 0, text, length, bytes.data(), needed, nullptr,
                            nullptr);
    return bytes;
}

std::string WindowText(HWND hwnd) {
    int length = GetWindowTextLengthW(hwnd);
    if (length <= 0) return {};
    std::wstring wide(static_cast<std::size_t>(length) + 1, L'\0');
    int got = GetWindowTextW(hwnd, wide.data(), length + 1);
    return Narrow(wide.data(), got);
}

}  // namespace ui::win32
