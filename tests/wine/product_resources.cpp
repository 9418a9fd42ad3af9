// The resources of the built product .exe (FONTTASKS_EXE), read back the way Windows reads
// them: the version information Explorer's Details page shows, the icon Explorer shows
// (the first icon group), and the manifest that makes Windows ask for an administrator
// token at start.
#include <windows.h>

#include <string>
#include <vector>

#include "harness/check.h"
#include "platform/win32/ui_internal.h"

namespace {

std::wstring ProductExe() {
    wchar_t path[MAX_PATH];
    DWORD got = GetEnvironmentVariableW(L"FONTTASKS_EXE", path, MAX_PATH);
    return got > 0 && got < MAX_PATH ? std::wstring(path, got) : std::wstring();
}

// For the failure messages and comparisons: the texts in code page 936, like the literals,
// by the control layer's own conversion.
std::string Narrow(const std::wstring& text) {
    return ui::win32::Narrow(text.data(), static_cast<int>(text.size()));
}

// The .exe mapped for its resources only; nothing of it runs.
class ResourceImage {
  public:
    explicit ResourceImage(const std::wstring& path)
        : module_(LoadLibraryExW(path.c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)) {}
    ResourceImage(const ResourceImage&) = delete;
    ResourceImage& operator=(const ResourceImage&) = delete;
    ~ResourceImage() {
        if (module_ != nullptr) FreeLibrary(module_);
    }
    bool Loaded() const { return module_ != nullptr; }

    // The bytes of a resource; empty when there is none.
    std::string Bytes(LPCWSTR type, LPCWSTR name) const {
        HRSRC found = FindResourceW(module_, name, type);
        HGLOBAL loaded = found != nullptr ? LoadResource(module_, found) : nullptr;
        const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
        if (data == nullptr) return {};
        return std::string(static_cast<const char*>(data), SizeofResource(module_, found));
    }

    // The first resource name of a type in the order Windows enumerates them, which is
    // the order Explorer takes the first icon group in; nullptr when there is none.
    // Integer names only: the product names its resources by number.
    LPCWSTR FirstName(LPCWSTR type) const {
        LPCWSTR first = nullptr;
        EnumResourceNamesW(module_, type, TakeFirst, reinterpret_cast<LONG_PTR>(&first));
        return first;
    }

  private:
    static BOOL CALLBACK TakeFirst(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR first) {
        if (IS_INTRESOURCE(name)) *reinterpret_cast<LPCWSTR*>(first) = name;
        return FALSE;
    }

    HMODULE module_;
};

// The RT_ types are numbers in a pointer, typed for the A calls in a build without UNICODE.
LPCWSTR WideType(LPCSTR type) {
    return MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(type));
}

std::string VersionText(DWORD high, DWORD low) {
    return std::to_string(HIWORD(high)) + "." + std::to_string(LOWORD(high)) + "." +
           std::to_string(HIWORD(low)) + "." + std::to_string(LOWORD(low));
}

}  // namespace

TEST_CASE("product_resources.version_information_carries_the_build_version") {
    std::wstring exe = ProductExe();
    REQUIRE(!exe.empty());
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    REQUIRE(size > 0);
    std::vector<char> info(size);
    REQUIRE(GetFileVersionInfoW(exe.c_str(), 0, size, info.data()));

    void* value = nullptr;
    UINT length = 0;
    REQUIRE(VerQueryValueW(info.data(), L"\\", &value, &length) &&
            length >= sizeof(VS_FIXEDFILEINFO));
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    CHECK_EQ(VersionText(fixed->dwFileVersionMS, fixed->dwFileVersionLS),
             std::string(FONTTASKS_VERSION ".0"));
    CHECK_EQ(VersionText(fixed->dwProductVersionMS, fixed->dwProductVersionLS),
             std::string(FONTTASKS_VERSION ".0"));

    REQUIRE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length) &&
            length >= 4);
    const auto* translation = static_cast<const WORD*>(value);
    CHECK_EQ(translation[0], 0x0804);  // Chinese (Simplified)
    CHECK_EQ(translation[1], 1200);    // Unicode

    struct Expected {
        const wchar_t* name;
        std::string text;
    };
    const Expected strings[] = {
        {L"FileVersion", FONTTASKS_VERSION},    {L"ProductVersion", FONTTASKS_VERSION},
        {L"ProductName", "字体管理器"},         {L"FileDescription", "字体管理器"},
        {L"OriginalFilename", "fonttasks.exe"},
    };
    for (const Expected& expected : strings) {
        std::wstring key = std::wstring(L"\\StringFileInfo\\080404B0\\") + expected.name;
        std::wstring text;
        if (VerQueryValueW(info.data(), key.c_str(), &value, &length) && length > 0)
            text = static_cast<const wchar_t*>(value);
        CHECK_EQ(Narrow(key) + "=" + Narrow(text), Narrow(key) + "=" + expected.text);
    }
}

TEST_CASE("product_resources.first_icon_has_the_five_sizes") {
    ResourceImage exe(ProductExe());
    REQUIRE(exe.Loaded());
    LPCWSTR group = exe.FirstName(WideType(RT_GROUP_ICON));
    REQUIRE(group != nullptr);
    // The group directory: reserved, type 1, count, then 14 bytes per image: width and
    // height (0 meaning 256), colours, reserved, planes, bits, size and the RT_ICON id.
    std::string directory = exe.Bytes(WideType(RT_GROUP_ICON), group);
    REQUIRE(directory.size() >= 6);
    const auto* bytes = reinterpret_cast<const unsigned char*>(directory.data());
    unsigned count = bytes[4] | bytes[5] << 8;
    REQUIRE(directory.size() >= 6 + 14 * count);
    std::vector<int> sizes;
    for (unsigned i = 0; i < count; ++i) {
        const unsigned char* entry = bytes + 6 + 14 * i;
        int width = entry[0] == 0 ? 256 : entry[0];
        int height = entry[1] == 0 ? 256 : entry[1];
        sizes.push_back(width == height ? width : -1);
        WORD id = static_cast<WORD>(entry[12] | entry[13] << 8);
        CHECK(!exe.Bytes(WideType(RT_ICON), MAKEINTRESOURCEW(id)).empty());
    }
    CHECK(sizes == std::vector<int>({16, 24, 32, 48, 256}));
}

TEST_CASE("product_resources.manifest_requires_an_administrator_and_per_monitor_dpi") {
    ResourceImage exe(ProductExe());
    REQUIRE(exe.Loaded());
    std::string manifest =
        exe.Bytes(WideType(RT_MANIFEST), WideType(CREATEPROCESS_MANIFEST_RESOURCE_ID));
    std::size_t element = manifest.find("<requestedExecutionLevel");
    REQUIRE(element != std::string::npos);
    std::size_t end = manifest.find('>', element);
    std::size_t level = manifest.find("level=\"", element);
    REQUIRE(level < end);
    level += 7;
    CHECK_EQ(manifest.substr(level, manifest.find('"', level) - level),
             std::string("requireAdministrator"));
    // Windows scales an unaware program as a blurred bitmap; the program scales itself.
    CHECK(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>") != std::string::npos);
    CHECK(manifest.find(">true/pm</dpiAware>") != std::string::npos);
}
