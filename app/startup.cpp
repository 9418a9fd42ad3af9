// Start-up and shutdown of the program: the two global lists live from here until the
// exit clean-up, and the main window's life is the program's life.
#include "app/startup.h"

#include "fontfs/catalogue.h"
#include "app/form_tables.h"
#include "platform/process.h"
#include "platform/vocabulary.h"
#include "tasks/task_files.h"

void StartProgram() {
    // Both lists exist before any window does, so every handler may rely on them.
    CreateInstalledFontList();
    CreateTaskFileList();
    platform::RegisterExitCleanup(ReleaseGlobals);
    // The modal load runs the event loop until the main window is gone; its destroyed
    // event ends the program from inside that loop.
    ui::LoadWindow(MainForm(), true);
}

void ReleaseGlobals() {
    ReleaseInstalledFontList();
    ReleaseTaskFileList();
}

void MainWindowDestroyed() {
    // Queued rows are simply lost: nothing asks for confirmation.
    platform::EndProgram(0);
}
