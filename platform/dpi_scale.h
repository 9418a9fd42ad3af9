// The one scaling rule between the forms' 96-DPI pixels and a window's real pixels. Only
// the Win32 control layer applies it; the forms, the logic and the headless model keep
// their 96-DPI numbers.
#pragma once

namespace platform {

constexpr int kFormDpi = 96;

// value * dpi / 96, rounded to the nearest integer with halves away from zero, as
// MulDiv(value, dpi, 96) rounds.
constexpr int ScaleToDpi(int value, int dpi) {
    long long product = static_cast<long long>(value) * dpi;
    long long half = kFormDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / kFormDpi
                                         : -((-product + half) / kFormDpi));
}

}  // namespace platform
