// The Windows font manager: registering font files and reading the faces they define.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// AddFontResourceW on the path read as code page 936: the number of fonts added, 0 on
// failure.
int RegisterFontFile(const std::string& path);
// RemoveFontResourceW, the same way.
bool UnregisterFontFile(const std::string& path);

// GetFontResourceInfoW(widePath, &byteCount, buffer, type), loaded at run time because
// it is undocumented. Returns false when the call fails or the function is missing;
// *available tells the two apart.
bool QueryFontResourceInfo(const char16_t* widePath, std::uint32_t* byteCount, void* buffer,
                           std::uint32_t type, bool* available);

// SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, 2 s): every
// top-level window that answers is told; a hung one delays the caller by seconds at most.
void BroadcastFontChange();

}  // namespace platform
