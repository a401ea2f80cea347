// The monitors of the desktop, as the system reports them.
#pragma once
#include <windows.h>
#include <vector>
#include "VntApi.h"

// Up to maxRects monitors' rectangles in screen coordinates (the primary's top-left is
// 0,0), in the system's order; the number of monitors, 0 where the system knows no
// monitor list.
VNT_API int GetMonitorRects(RECT* rects, int maxRects);

// All of them, in the caller's own memory.
inline std::vector<RECT> GetMonitorRects()
{
    std::vector<RECT> monitors(16);
    int n = GetMonitorRects(monitors.data(), static_cast<int>(monitors.size()));
    if (n > static_cast<int>(monitors.size())) {
        monitors.resize(n);
        n = GetMonitorRects(monitors.data(), n);
    }
    monitors.resize(n < static_cast<int>(monitors.size()) ? n : monitors.size());
    return monitors;
}
