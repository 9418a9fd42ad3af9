// The product's entry: the DLL search is limited to the system folder, the common
// controls are set up, then the program starts.
#include <windows.h>
#include <commctrl.h>

#include "platform/process.h"
#include "platform/win32/dll_search.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // First of all, before anything can load a DLL by name: the program runs elevated
    // from a folder the user unzipped it to.
    platform::win32::LoadDllsFromSystemFolderOnly();
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    StartProgram();
    return 0;
}
