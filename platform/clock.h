// Time for the file calls' retries: a clock that only moves forward, and a pause.
#pragma once

namespace platform {

// Milliseconds since some fixed moment (GetTickCount64). The stand-in's clock moves only
// when the program pauses, so a test sees the same times on every run.
unsigned long long Milliseconds();
// Sleep: the calling thread waits this long.
void Pause(unsigned milliseconds);

}  // namespace platform
