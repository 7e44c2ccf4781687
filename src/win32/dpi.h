// The resolution of a window and the one conversion of the Win32 front from lengths declared
// at 96 dots per inch (sizes of figures and readouts, margins, icons, pen widths) to that
// window's pixels. Every control kind takes its pixels from here.
#pragma once

#include <windows.h>

#include "shell/layout.h"

namespace quillon::win32 {

class Dpi {
public:
    explicit Dpi(int dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}
    int Value() const { return dpi_; }
    // Pixels for a length given at 96 dots per inch, rounded to the nearest.
    int Px(int at96) const { return MulDiv(at96, dpi_, 96); }
    // The layout's spacing and declared sizes at this resolution.
    layout::Metrics Metrics() const { return layout::Metrics{}.Scaled(dpi_ / 96.0); }
    bool operator==(const Dpi&) const = default;

private:
    int dpi_;
};

// Dots per inch of the screen for windows without a resolution of their own.
int SystemDpi();
// Dots per inch of the monitor `hwnd` is on (the system's where Windows has no per-monitor
// resolution, before Windows 10 1607).
int WindowDpi(HWND hwnd);

}  // namespace quillon::win32
