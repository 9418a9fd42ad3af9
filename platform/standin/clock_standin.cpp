// The stand-in's clock: it moves only when the program pauses, so retries take no real
// time in the tests and every run of a test sees the same times.
#include "platform/clock.h"

namespace platform {
namespace {

unsigned long long& Now() {
    static unsigned long long now = 0;
    return now;
}

}  // namespace

unsigned long long Milliseconds() {
    return Now();
}

void Pause(unsigned milliseconds) {
    Now() += milliseconds;
}

}  // namespace platform
