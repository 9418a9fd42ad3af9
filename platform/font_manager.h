// The Windows font manager: registering font files and naming the faces they define.
// Paths and names are code page 936 text, as in the file calls: the Win32 layer converts
// a path exactly (text_936.h), and a face name as the controls show text.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace platform {

// AddFontResourceW: the number of fonts added, 0 on failure.
int RegisterFontFile(const std::string& path);
// RemoveFontResourceW.
bool UnregisterFontFile(const std::string& path);

// The face name of the file's first face as the font manager names it: two calls of
// GetFontResourceInfoW for the LOGFONTW records (the first learns their size), into one
// 2076-byte record, whose first face name is the answer; "" when it names none. The
// function is undocumented and looked up at run time; *available is false when it is
// missing.
std::string FirstFaceName(const std::string& path, bool* available);

// A face name as a LOGFONTW holds it: up to a NUL unit, at most 31 units, and never half
// of a surrogate pair.
inline std::u16string_view FaceNameUnits(std::u16string_view name) {
    constexpr std::size_t kLongest = 31;
    std::size_t end = std::min(name.find(u'\0'), kLongest);
    if (end < name.size() && end > 0 && name[end - 1] >= 0xD800 && name[end - 1] <= 0xDBFF) --end;
    return name.substr(0, end);
}

// A face name in UTF-16, in code page 936 as the font manager's answers are shown: its
// FaceNameUnits, with a "?" for a character that 936 lacks (WideCharToMultiByte with
// WC_COMPOSITECHECK). Our own name reader's names go through it too, so both read alike.
std::string FaceNameIn936(std::u16string_view name);

// GetUserDefaultUILanguage: the LANGID the user reads (0x0804 on a Chinese system), the
// language a face is named in.
unsigned short UserDefaultUiLanguage();

// SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 2 s): every
// top-level window that answers is told; a hung one delays the caller by seconds at most.
void BroadcastFontChange();

}  // namespace platform
