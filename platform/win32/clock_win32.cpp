// The clock and the pause of the file calls' retries.
#include <windows.h>

#include "platform/clock.h"

namespace platform {

unsigned long long Milliseconds() {
    return GetTickCount64();
}

void Pause(unsigned milliseconds) {
    Sleep(milliseconds);
}

}  // namespace platform
