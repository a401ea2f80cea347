#include "MonitorLayout.h"
#include "base/FwLibrary.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT prc, LPARAM lParam)
{
    reinterpret_cast<std::vector<RECT>*>(lParam)->push_back(*prc);
    return TRUE;
}

} // namespace

std::vector<RECT> GetMonitorRects()
{
    // Looked up at run time: Windows 95 and NT 4 know one monitor and lack the call.
    typedef BOOL(WINAPI * EnumFn)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
    std::vector<RECT> monitors;
    FwLibrary user32("USER32.DLL");
    EnumFn pfnEnum = reinterpret_cast<EnumFn>(user32.GetProc("EnumDisplayMonitors"));
    if (pfnEnum)
        pfnEnum(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

std::vector<RECT> LayoutFrames(const RECT& rcWindow, const std::vector<RECT>& monitors)
{
    std::vector<RECT> frames;
    for (const RECT& monitor : monitors) {
        RECT part;
        if (!IntersectRect(&part, &monitor, &rcWindow))
            continue;
        OffsetRect(&part, -rcWindow.left, -rcWindow.top);
        frames.push_back(part);
    }
    if (frames.size() < 2) {
        // One monitor (or a window on none, like the preview's): the whole client area.
        RECT whole = {0, 0, rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
        frames.assign(1, whole);
    }
    return frames;
}
