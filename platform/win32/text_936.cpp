// Code page 936 <-> UTF-16, the program's one conversion, for the W functions: exact for
// names, lenient for display and for face names.
#include "platform/win32/text_936.h"

#include <windows.h>

namespace platform::win32 {
namespace {

constexpr UINT kChineseSimplified = 936;

// The system's conversions, with code page 936 itself and never the ANSI code page.
int ToUtf16(DWORD flags, const char* bytes, int length, wchar_t* out, int capacity) {
    return MultiByteToWideChar(kChineseSimplified, flags, bytes, length, out, capacity);
}

int FromUtf16(DWORD flags, const wchar_t* units, int length, char* out, int capacity,
              BOOL* usedDefault) {
    return WideCharToMultiByte(kChineseSimplified, flags, units, length, out, capacity, nullptr,
                               usedDefault);
}

// flags: MB_ERR_INVALID_CHARS for the exact conversion, 0 for the lenient one.
bool Widen(std::string_view bytes, DWORD flags, std::wstring* wide) {
    wide->clear();
    if (bytes.empty()) return true;
    int size = static_cast<int>(bytes.size());
    int needed = ToUtf16(flags, bytes.data(), size, nullptr, 0);
    if (needed <= 0) return false;
    wide->resize(static_cast<std::size_t>(needed));
    return ToUtf16(flags, bytes.data(), size, wide->data(), needed) == needed;
}

// WC_NO_BEST_FIT_CHARS for the exact conversion: no best-fit look-alikes, and a character
// that got the default character fails. Otherwise 0 or WC_COMPOSITECHECK, lenient.
bool Narrow(std::wstring_view wide, DWORD flags, std::string* bytes) {
    bytes->clear();
    if (wide.empty()) return true;
    int size = static_cast<int>(wide.size());
    const bool exact = flags == WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* noticeDefault = exact ? &usedDefault : nullptr;
    int needed = FromUtf16(flags, wide.data(), size, nullptr, 0, noticeDefault);
    if (needed <= 0 || usedDefault) return false;
    bytes->resize(static_cast<std::size_t>(needed));
    return FromUtf16(flags, wide.data(), size, bytes->data(), needed, noticeDefault) == needed &&
           !usedDefault;
}

}  // namespace

bool WidenExactly(std::string_view bytes, std::wstring* wide) {
    if (Widen(bytes, MB_ERR_INVALID_CHARS, wide)) return true;
    wide->clear();
    return false;
}

bool NarrowExactly(std::wstring_view wide, std::string* bytes) {
    if (Narrow(wide, WC_NO_BEST_FIT_CHARS, bytes)) return true;
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
    if (!Narrow(wide, 0, &bytes)) bytes.clear();
    return bytes;
}

std::string NarrowFaceName(std::wstring_view wide) {
    std::string bytes;
    if (!Narrow(wide, WC_COMPOSITECHECK, &bytes)) bytes.clear();
    return bytes;
}

std::wstring WidePath(const std::string& path) {
    std::wstring wide;
    WidenExactly(path, &wide);
    return wide;
}

}  // namespace platform::win32
