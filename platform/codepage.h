// Code page 936 as the logic steps through its texts: which bytes start a double-byte
// character, and how long the character at a place is. The conversions to and from
// UTF-16 are the Win32 layer's alone (platform/win32/text_936.h).
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// True when byte b is the lead byte of a double-byte character in code page 936.
inline bool IsLeadByte936(unsigned char b) {
    return b >= 0x81 && b <= 0xFE;
}

// True when byte b may follow a lead byte in code page 936.
inline bool IsTrailByte936(unsigned char b) {
    return b >= 0x40 && b <= 0xFE && b != 0x7F;
}

// The bytes of the character that starts at text[at]: 2 for a lead byte with a byte after
// it, whose trail byte (0x5C, the backslash, among them) is no character of its own; 1
// otherwise, also for a lead byte that ends the text.
inline std::size_t CharSize936(std::string_view text, std::size_t at) {
    return IsLeadByte936(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
}

}  // namespace platform
