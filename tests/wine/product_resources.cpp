// The built product .exe (FONTTASKS_EXE), read back the way Windows reads it: the version
// information Explorer's Details page shows, the icon Explorer shows (the first icon
// group), the manifest that makes Windows ask for an administrator token at start, and
// the DLLs and functions it imports; and the DLL search the program limits first thing.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness/check.h"
#include "platform/win32/dll_search.h"
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

// The .exe mapped as an image for its resources and headers only; nothing of it runs.
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

    // The DLLs in the import directory, in its order, as the loader walks it: descriptors
    // until one without a name or import address table, each with the functions it is
    // asked for by name. The file is mapped as an image, so the directory's addresses are
    // offsets from its base (the handle without its two flag bits), and nothing was bound.
    struct Import {
        std::string dll;
        std::vector<std::string> functions;
    };
    std::vector<Import> Imports() const {
        const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(module_) &
                                                         ~static_cast<ULONG_PTR>(3));
        const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(base + dos->e_lfanew);
        if (dos->e_magic != IMAGE_DOS_SIGNATURE || nt->Signature != IMAGE_NT_SIGNATURE ||
            nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC)
            return {};
        DWORD directory =
            nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
        std::vector<Import> imports;
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory);
             directory != 0 && entry->Name != 0 && entry->FirstThunk != 0; ++entry) {
            Import import{reinterpret_cast<const char*>(base + entry->Name), {}};
            DWORD table =
                entry->OriginalFirstThunk != 0 ? entry->OriginalFirstThunk : entry->FirstThunk;
            for (auto* thunk = reinterpret_cast<const IMAGE_THUNK_DATA64*>(base + table);
                 thunk->u1.AddressOfData != 0; ++thunk) {
                if (IMAGE_SNAP_BY_ORDINAL64(thunk->u1.Ordinal)) continue;
                import.functions.emplace_back(
                    reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + thunk->u1.AddressOfData)
                        ->Name);
            }
            imports.push_back(std::move(import));
        }
        return imports;
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

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return text;
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
    // The program's one version number, filled in by the build.
    CHECK(manifest.find("name=\"FontTasks\" version=\"" FONTTASKS_VERSION ".0\"") !=
          std::string::npos);
}

// Windows resolves the .exe's imports before any of its code runs, before it can limit
// the DLL search: an imported name is looked for in the program's folder first unless it
// is a KnownDLL (always mapped from the system folder) or comes through the manifest as a
// side-by-side assembly (common controls 6, from WinSxS). Any other import would let a DLL
// of that name in the user's Downloads run with the administrator token.
// And the program's texts are code page 936 on every Windows, where an A function would
// read a path in the system's ANSI code page: the only A functions imported are the ones
// MinGW-w64's runtime uses for its start-up and threads, which take no path.
TEST_CASE("product_resources.imports_only_known_dlls_and_no_a_function_with_a_path") {
    ResourceImage exe(ProductExe());
    REQUIRE(exe.Loaded());
    const std::vector<std::string> pathless = {"CreateEventA", "CreateSemaphoreA",
                                               "GetStartupInfoA", "OutputDebugStringA"};
    std::vector<std::string> lowered, functions, withAPath;
    for (const auto& import : exe.Imports()) {
        lowered.push_back(Lower(import.dll));
        for (const std::string& function : import.functions) {
            functions.push_back(function);
            if (function.back() == 'A' &&
                std::find(pathless.begin(), pathless.end(), function) == pathless.end())
                withAPath.push_back(function);
        }
    }
    // Every Windows program imports kernel32, and this one FindFirstFileW: without them,
    // the table was not read.
    REQUIRE(std::find(lowered.begin(), lowered.end(), "kernel32.dll") != lowered.end());
    REQUIRE(std::find(functions.begin(), functions.end(), "FindFirstFileW") != functions.end());

    // KnownDLLs on every Windows the program runs on (the KnownDLLs key under
    // HKLM\SYSTEM\CurrentControlSet\Control\Session Manager). A new import joins this
    // list only if that key names it on Windows 10 and 11 alike.
    const std::vector<std::string> known = {"kernel32.dll", "user32.dll",  "gdi32.dll",
                                            "shell32.dll",  "shlwapi.dll", "comdlg32.dll",
                                            "msvcrt.dll"};
    std::string manifest =
        exe.Bytes(WideType(RT_MANIFEST), WideType(CREATEPROCESS_MANIFEST_RESOURCE_ID));
    bool commonControls6 =
        manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"") !=
        std::string::npos;
    std::vector<std::string> searched;  // imports the loader would look for beside the .exe
    for (const std::string& name : lowered) {
        if (name == "comctl32.dll" && commonControls6) continue;
        if (std::find(known.begin(), known.end(), name) == known.end()) searched.push_back(name);
    }
    CHECK_EQ(searched, std::vector<std::string>());
    CHECK_EQ(withAPath, std::vector<std::string>());

    // Files dropped from Explorer: the shell's calls, and the message filter that lets the
    // drop through to an elevated window, which the program looks up by its name.
    for (const char* drop : {"DragAcceptFiles", "DragQueryFileW", "DragFinish"})
        CHECK(std::find(functions.begin(), functions.end(), drop) != functions.end());
    HANDLE file = CreateFileW(ProductExe().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    std::string image(GetFileSize(file, nullptr), '\0');
    DWORD got = 0;
    ReadFile(file, image.data(), static_cast<DWORD>(image.size()), &got, nullptr);
    CloseHandle(file);
    CHECK(image.find("ChangeWindowMessageFilterEx") != std::string::npos);
}

// The program's first call limits the DLL search to the system folder. A DLL that exists
// only beside this test program (the build puts fonttasks_planted.dll there) loads by
// name before the call, since Windows looks in a program's own folder first, and no
// longer after it; a system DLL still loads. Wine has no KnownDLLs, so this sees the
// search order itself; on Windows, a KnownDLL's name never reaches the program's folder
// with or without the call. Last in this file: the search order stays for the process.
TEST_CASE("product_resources.after_the_first_call_no_dll_loads_from_the_program_folder") {
    constexpr const wchar_t* kPlanted = L"fonttasks_planted.dll";
    wchar_t self[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    REQUIRE(length > 0 && length < MAX_PATH);
    std::wstring folder(self, length);
    folder.resize(folder.rfind(L'\\') + 1);
    REQUIRE(GetFileAttributesW((folder + kPlanted).c_str()) != INVALID_FILE_ATTRIBUTES);
    HMODULE planted = LoadLibraryW(kPlanted);
    REQUIRE(planted != nullptr);
    FreeLibrary(planted);
    REQUIRE(GetModuleHandleW(kPlanted) == nullptr);

    REQUIRE(platform::win32::LoadDllsFromSystemFolderOnly());
    SetLastError(0);
    planted = LoadLibraryW(kPlanted);
    CHECK(planted == nullptr);
    CHECK_EQ(GetLastError(), DWORD{ERROR_MOD_NOT_FOUND});
    if (planted != nullptr) FreeLibrary(planted);
    // A system DLL the test has not loaded yet, so that the load has to search for it.
    REQUIRE(GetModuleHandleW(L"msimg32.dll") == nullptr);
    HMODULE system = LoadLibraryW(L"msimg32.dll");
    CHECK(system != nullptr);
    if (system != nullptr) FreeLibrary(system);
}
