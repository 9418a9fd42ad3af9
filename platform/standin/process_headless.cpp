// Process services for the native build: the exit clean-ups run once when the program
// ends, and pending events are the headless model's queued clicks. Ending records the
// exit code instead of leaving the test process.
#include <vector>

#include "platform/process.h"
#include "platform/standin/headless.h"
#include "platform/standin/headless_model.h"

namespace {

struct ProcessState {
    std::vector<void (*)()> cleanups;
    bool ended = false;
    int exitCode = 0;
    int cleanupRuns = 0;
};

ProcessState& P() {
    static ProcessState state;
    return state;
}

}  // namespace

namespace platform {

// Kept like atexit registrations: registering twice runs the clean-up twice.
void RegisterExitCleanup(void (*cleanup)()) {
    P().cleanups.push_back(cleanup);
}

void EndProgram(int exitCode) {
    if (P().ended) return;
    P().ended = true;
    P().exitCode = exitCode;
    for (auto it = P().cleanups.rbegin(); it != P().cleanups.rend(); ++it) {
        ++P().cleanupRuns;
        (*it)();
    }
}

void ProcessPendingEvents() {
    headless::model::DeliverQueuedClicks();
}

}  // namespace platform

namespace headless {

bool ProgramEnded() {
    return P().ended;
}
int ExitCode() {
    return P().exitCode;
}
int CleanupRuns() {
    return P().cleanupRuns;
}

namespace model {

void ResetProcess() {
    P() = ProcessState();
}

}  // namespace model
}  // namespace headless
