// The process's DLL search limited to the system folder (SetDefaultDllDirectories).
#include "platform/win32/dll_search.h"

#include <windows.h>

#include "platform/win32/loaded_function.h"

namespace platform::win32 {

bool LoadDllsFromSystemFolderOnly() {
    // SetDefaultDllDirectories exists from Windows 8 on, and on Windows 7 with KB2533623;
    // every Windows 10 and 11 has it. The program is built for Windows 7 and later
    // (_WIN32_WINNT 0x0601), and a missing entry point in the import table would stop it
    // before it starts, so it is looked up in kernel32, which every process has loaded.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    auto function =
        LoadedFunction<SetDefaultDllDirectoriesFn>(L"kernel32.dll", "SetDefaultDllDirectories");
    return function != nullptr && function(LOAD_LIBRARY_SEARCH_SYSTEM32) != FALSE;
}

}  // namespace platform::win32
