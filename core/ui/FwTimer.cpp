#include "ui/FwTimer.h"

FwTimer::FwTimer(UINT id) : hWnd(nullptr), uTimer(0), uID(id) {}

FwTimer::~FwTimer() { Stop(); }

void FwTimer::Start(HWND hWndOwner, UINT elapse, TIMERPROC pfn, UINT id)
{
    hWnd = hWndOwner;
    if (uID == 0)
        uID = id;
    uTimer = SetTimer(hWnd, uID, elapse, pfn);
}

void FwTimer::Stop()
{
    if (!uTimer)
        return;
    if (hWnd)
        KillTimer(hWnd, uID);
    else
        KillTimer(nullptr, uTimer);
    uTimer = 0;
}
