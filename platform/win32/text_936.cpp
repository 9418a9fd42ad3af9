// Code page 936 <-> UTF-16 for the W functions, exact for names and lenient for display.
#include "platform/win32/text_936.h"

#include <windows.h>

namespace platform::win32 {
namespace {

constexpr UINT kChineseSimplified = 936;

// flags: MB_ERR_INVALID_CHARS for the exact conversion, 0 for the lenient one.
bool Widen(std::string_view bytes, DWORD flags, std::wstring* wide) {
    wide->clear();
    if (bytes.empty()) return true;
    int size = static_cast<int>(bytes.size());
    int needed = MultiByteToWideChar(kChineseSimplified, flags, bytes.data(), size, nullptr, 0);
    if (needed <= 0) return false;
    wide->resize(static_cast<std::size_t>(needed));
    return MultiByteToWideChar(kChineseSimplified, flags, bytes.data(), size, wide->data(),
                               needed) == needed;
}

// exact: no best-fit look-alikes, and a character that got the default character fails.
bool Narrow(std::wstring_view wide, bool exact, std::string* bytes) {
    bytes->clear();
    if (wide.empty()) return true;
    int size = static_cast<int>(wide.size());
    DWORD flags = exact ? WC_NO_BEST_FIT_CHARS : 0;
    BOOL usedDefault = FALSE;
    BOOL* noticeDefault = exact ? &usedDefault : nullptr;
    int needed = WideCharToMultiByte(kChineseSimplified, flags, wide.data(), size, nullptr, 0,
                                     nullptr, noticeDefault);
    if (needed <= 0 || usedDefault) return false;
    bytes->resize(static_cast<std::size_t>(needed));
    return WideCharToMultiByte(kChineseSimplified, flags, wide.data(), size, bytes->data(), needed,
                               nullptr, noticeDefault) == needed &&
           !usedDefault;
}

}  // namespace

bool WidenExactly(std::string_view bytes, std::wstring* wide) {
    if (Widen(bytes, MB_ERR_INVALID_CHARS, wide)) return true;
    wide->clear();
    return false;
}

bool NarrowExactly(std::wstring_view wide, std::string* bytes) {
    if (Narrow(wide, true, bytes)) return true;
    bytes->clear();
    return false;
}

std::wstring WidenForDisplay(std::string_view bytes) {
    std::wstring wide;
    if (!Widen(bytes, 0, &wide)) wide.clear();
    return wide;
}

std::string NarrowForDisplay(std::wstring_view wide) {
    std::string bytes;
    if (!Narrow(wide, false, &bytes)) bytes.clear();
    return bytes;
}

std::wstring WidePath(const std::string& path) {
    std::wstring wide;
    WidenExactly(path, &wide);
    return wide;
}

}  // namespace platform::win32
