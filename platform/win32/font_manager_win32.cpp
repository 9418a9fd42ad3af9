// The Windows font manager: registration, the face query and the font-change notice.
// Paths reach it through the W calls, converted with code page 936 (text_936.h).
#include "platform/font_manager.h"

#include <windows.h>

#include <cstdint>
#include <iterator>

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

std::string FirstFaceName(const std::string& path, bool* available) {
    // The working record of one query: the fixed head of a LOGFONTW, then room for the
    // name of the first face and whatever further records the manager writes.
    struct FaceQueryRecord {
        std::int32_t head[7];
        char16_t names[1024];
    };
    static_assert(sizeof(FaceQueryRecord) == 2076, "the query buffer is 2076 bytes");
    constexpr DWORD kQueryLogFonts = 2;

    GetFontResourceInfoWFn query = FontResourceInfo();
    *available = query != nullptr;
    if (!query) return "";
    const std::wstring widePath = win32::WidePath(path);
    FaceQueryRecord record = {};
    // The first call learns the byte count, the second fetches the records; neither
    // result tells more than the record does. More than 22 faces would not fit: the
    // buffer is never announced larger than it is.
    DWORD byteCount = 0;
    for (int call = 0; call < 2; ++call) {
        if (byteCount > sizeof record) byteCount = sizeof record;
        query(widePath.c_str(), &byteCount, &record, kQueryLogFonts);
    }
    return FaceNameIn936({record.names, std::size(record.names)});
}

std::string FaceNameIn936(std::u16string_view name) {
    std::u16string_view units = FaceNameUnits(name);
    // char16_t and wchar_t are the same 16-bit units on Windows.
    return win32::NarrowFaceName({reinterpret_cast<const wchar_t*>(units.data()), units.size()});
}

unsigned short UserDefaultUiLanguage() {
    return GetUserDefaultUILanguage();
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
