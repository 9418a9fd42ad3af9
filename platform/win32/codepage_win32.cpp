// Code page 936 conversions and the user's interface language, straight onto the Win32
// calls; the callers depend on their size-query and NUL-counting rules.
#include "platform/codepage.h"

#include <windows.h>

namespace platform {
namespace {
constexpr UINT kChineseSimplified = 936;
}

int MultiByteToWide936(const char* text, int length, char16_t* out, int capacity) {
    return MultiByteToWideChar(kChineseSimplified, 0, text, length, reinterpret_cast<LPWSTR>(out),
                               capacity);
}

int WideToMultiByte936(const char16_t* units, int length, char* out, int capacity, unsigned flags) {
    return WideCharToMultiByte(kChineseSimplified, flags, reinterpret_cast<LPCWSTR>(units), length,
                               out, capacity, nullptr, nullptr);
}

unsigned short UserDefaultUiLanguage() {
    return GetUserDefaultUILanguage();
}

}  // namespace platform
