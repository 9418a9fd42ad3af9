// Wall-clock timing for the benchmarks. <chrono> cannot be used here: its "\u00b5s"
// literal has no code page 936 form, and every literal is compiled to that code page.
#pragma once

#include <windows.h>

inline long long Now() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

inline double MillisecondsSince(long long start) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(Now() - start) / static_cast<double>(frequency.QuadPart);
}

// The milliseconds that body() takes.
template <typename Body>
double Time(Body body) {
    long long start = Now();
    body();
    return MillisecondsSince(start);
}
