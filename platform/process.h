// Process-level services: the exit clean-up, ending the program, and letting pending
// window events run.
#pragma once

// The program's start routine, which the entry point calls: creates the global lists,
// registers the exit clean-up and loads the main window modally, returning only when the
// main window is gone. The program above the platform defines it (app/startup.cpp).
void StartProgram();

namespace platform {

// Registers the clean-up that ending the program runs exactly once.
void RegisterExitCleanup(void (*cleanup)());
// Ends the program with the given exit code, running the registered clean-up once.
void EndProgram(int exitCode);
// Dispatches the window events that are waiting, until none is left or the next one
// asks the program to quit.
void ProcessPendingEvents();

}  // namespace platform
