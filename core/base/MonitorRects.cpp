#include "base/MonitorRects.h"
#include "base/FwLibrary.h"

namespace {

struct Found {
    RECT* rects;
    int max, count;
};

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT prc, LPARAM lParam)
{
    Found* found = reinterpret_cast<Found*>(lParam);
    if (found->count < found->max)
        found->rects[found->count] = *prc;
    found->count++;
    return TRUE;
}

} // namespace

int GetMonitorRects(RECT* rects, int maxRects)
{
    // Looked up at run time: Windows 95 and NT 4 know one monitor and lack the call.
    typedef BOOL(WINAPI * EnumFn)(HDC, LPCRECT, MONITORENUMPROC, LPARAM);
    Found found = {rects, rects ? maxRects : 0, 0};
    FwLibrary user32("USER32.DLL");
    EnumFn pfnEnum = reinterpret_cast<EnumFn>(user32.GetProc("EnumDisplayMonitors"));
    if (pfnEnum)
        pfnEnum(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    return found.count;
}
