// Functions that some of the Windows versions the program runs on lack, looked up at run
// time: a missing entry point in the import table would stop the program before it starts.
#pragma once

#include <windows.h>

namespace platform::win32 {

// The function of that name in a DLL the process has loaded already (one of the
// program's imports, or one a manifest brought in), or null when that DLL lacks it. The
// loaded DLL's handle is taken: no DLL is ever searched for by name.
template <typename Function>
Function LoadedFunction(const wchar_t* dll, const char* name) {
    HMODULE module = GetModuleHandleW(dll);
    if (module == nullptr) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace platform::win32
