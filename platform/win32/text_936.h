// The one conversion between the program's texts, byte strings in code page 936, and the
// UTF-16 of the W functions that the Win32 layer calls for controls, files and the font
// manager. It converts with code page 936 itself, never with the system's ANSI code page:
// on a Simplified-Chinese Windows the bytes are the ones the A functions would give, and
// on a Windows with any other code page the program names and shows everything the same.
#pragma once

#include <string>
#include <string_view>

namespace platform::win32 {

// Exact conversions, for the names of files and folders: false rather than a text that
// names something else. Bytes are refused that are no code page 936 text (a byte 936 does
// not use, a lead byte without its trail byte); UTF-16 is refused that holds a character
// 936 has no code for (Korean, an emoji, a rare character), where WideCharToMultiByte
// would put the default character "?" (a wildcard to a directory search) or a best-fit
// look-alike (perhaps the name of another file).
bool WidenExactly(std::string_view bytes, std::wstring* wide);
bool NarrowExactly(std::wstring_view wide, std::string* bytes);

// For texts that are shown in or read back from controls: the same result as the exact
// conversions whenever those succeed, and otherwise what the system's lenient conversion
// gives (a "?" for a character 936 lacks), so that the rest of the text still shows.
std::wstring WidenForDisplay(std::string_view bytes);
std::string NarrowForDisplay(std::wstring_view wide);
// A face name, shown in the task window's lists: lenient as for display, and with
// WC_COMPOSITECHECK, so that a letter followed by a combining accent becomes the accented
// letter where 936 has one.
std::string NarrowFaceName(std::wstring_view wide);

// A path for a W file or font-manager call. A path that is no code page 936 text becomes
// the empty path, which names no file: the call fails as for a path that names nothing.
std::wstring WidePath(const std::string& path);

}  // namespace platform::win32
