// Process-level services on Win32: the exit clean-up through atexit, ending the
// program, and letting the window events that are waiting run.
#include <cstdlib>

#include "platform/process.h"
#include "platform/win32/ui_internal.h"

namespace platform {
namespace {

void (*exitCleanup)() = nullptr;
bool cleanupDone = false;

// Runs by atexit, whichever way the process ends normally; at most once.
void RunExitCleanup() {
    if (cleanupDone || exitCleanup == nullptr) return;
    cleanupDone = true;
    exitCleanup();
}

}  // namespace

void RegisterExitCleanup(void (*cleanup)()) {
    static const bool registered = std::atexit(RunExitCleanup) == 0;
    (void)registered;
    exitCleanup = cleanup;
}

void EndProgram(int exitCode) {
    std::exit(exitCode);
}

void ProcessPendingEvents() {
    MSG msg;
    // A WM_QUIT is only looked at, so it stays queued for the loop that ends on it.
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) return;
        if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return;
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        ui::win32::DispatchWithDialogKeys(msg);
    }
}

}  // namespace platform
