// Resolution of a window: every pixel size of the user interface is given for
// 96 dots per inch and scaled to the resolution of the window it appears in.
#pragma once

#include "base/WindowHandle.h"

// The logical dots per inch of the monitor the window's top-level ancestor is
// on; the screen's resolution for a null window or where the system knows no
// per-window value.
int dpiOf(HWND window);

// n pixels at 96 dpi, at the given resolution (integer division, as n * dpi / 96).
inline int scale(int n, int dpi) { return n * dpi / 96; }

// Asks for per-monitor resolution awareness, version 2 where the system has it,
// else per-monitor, else system-wide. Call once, before the first window.
void enableDpiAwareness();
