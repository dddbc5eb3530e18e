#pragma once

#include "form_layout.h"

#include <windows.h>

// Places and sizes are laid out for 96 dpi and scaled to the window's dpi.
// Edges are scaled rather than sizes, so that squares that share a line at
// 96 dpi share it at every dpi.
struct Scale {
    int dpi = 96;

    int px(int logical) const { return MulDiv(logical, dpi, 96); }
    RECT rect(const vendaro::layout::Rect& r) const
    {
        return {px(r.left), px(r.top), px(r.left + r.width), px(r.top + r.height)};
    }
};

// The dpi of a window: its monitor's where Windows scales per monitor (10,
// version 1607 on), else the system's.
int dpiOfWindow(HWND window);

// The dpi of the primary monitor, where the window first opens.
int dpiOfPrimaryMonitor();

// The window's outer rectangle for a client area of `width` x `height` at `dpi`, at 0, 0.
RECT frameAround(int width, int height, DWORD style, int dpi);
