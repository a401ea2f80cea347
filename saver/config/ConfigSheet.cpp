#include "config/ConfigSheet.h"

void ConfigSheet::OnPSCB_INITIALIZED()
{
    FwPropSheet::OnPSCB_INITIALIZED();
    // The sheet has its final size by now.
    POINT cursor;
    RECT sheet;
    MONITORINFO mi = {sizeof mi};
    if (!GetCursorPos(&cursor) || !GetWindowRect(hWnd, &sheet) ||
        !GetMonitorInfoA(MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const RECT& work = mi.rcWork;
    int cx = sheet.right - sheet.left, cy = sheet.bottom - sheet.top;
    // A sheet larger than the work area keeps its title bar on screen.
    int x = work.left + ((work.right - work.left) - cx) / 2;
    int y = work.top + ((work.bottom - work.top) - cy) / 2;
    SetWindowPos(hWnd, nullptr, x > work.left ? x : work.left, y > work.top ? y : work.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
