// Where the program's DLLs come from: the system folder, never the program's own folder.
// The program's entry calls this first; the Wine tests call the same function.
#pragma once

namespace platform::win32 {

// From this call on, a DLL the process loads by name (with LoadLibrary, or as a
// dependency of a DLL it loads) is looked for in the system folder only. The program runs
// elevated from a folder a user unzipped, usually under Downloads; without this, Windows
// would look there first, and a DLL dropped there under the name of one the file dialog
// or a shell extension loads would run with the administrator token. The .exe's own
// imports are resolved before any of its code runs, which is why they must all be
// KnownDLLs or side-by-side assemblies. False where the system cannot do this
// (Windows 7 without KB2533623); the program then runs with the old search order.
bool LoadDllsFromSystemFolderOnly();

}  // namespace platform::win32
