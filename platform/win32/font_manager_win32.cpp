// The Windows font manager: registration, the face query and the font-change notice.
// Paths reach it through the W calls, converted with code page 936 (text_936.h).
#include "platform/font_manager.h"

#include <windows.h>

#include "platform/win32/loaded_function.h"
#include "platform/win32/text_936.h"

namespace platform {
namespace {

using GetFontResourceInfoWFn = BOOL(WINAPI*)(LPCWSTR, LPDWORD, LPVOID, DWORD);

// GetFontResourceInfoW is exported by gdi32 but declared in no header, so it is looked
// up once by name; null when this system's gdi32 lacks it. The program imports gdi32
// (AddFontResourceW below), so it is loaded before any code runs.
GetFontResourceInfoWFn FontResourceInfo() {
    static const auto function =
        win32::LoadedFunction<GetFontResourceInfoWFn>(L"gdi32.dll", "GetFontResourceInfoW");
    return function;
}

}  // namespace

int RegisterFontFile(const std::string& path) {
    return AddFontResourceW(win32::WidePath(path).c_str());
}

bool UnregisterFontFile(const std::string& path) {
    return RemoveFontResourceW(win32::WidePath(path).c_str()) != 0;
}

bool QueryFontResourceInfo(const char16_t* widePath, std::uint32_t* byteCount, void* buffer,
                           std::uint32_t type, bool* available) {
    GetFontResourceInfoWFn query = FontResourceInfo();
    *available = query != nullptr;
    if (!query) return false;
    // char16_t and wchar_t are the same 16-bit units on Windows.
    DWORD count = *byteCount;
    BOOL ok = query(reinterpret_cast<LPCWSTR>(widePath), &count, buffer, type);
    *byteCount = count;
    return ok != 0;
}

// Every top-level window that answers gets the notice before this returns. A window
// whose thread has stopped reading its messages would hold a plain SendMessageW (and
// with it this program) until it answers, perhaps forever: each window gets at most
// kNoticeTimeoutMs, and none once Windows counts it as hung.
void BroadcastFontChange() {
    constexpr UINT kNoticeTimeoutMs = 2000;
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_FONTCHANGE, 0, 0, SMTO_ABORTIFHUNG, kNoticeTimeoutMs,
                        &ignored);
}

}  // namespace platform
