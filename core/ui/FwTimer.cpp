#include "ui/FwTimer.h"

FwTimer::FwTimer(UINT id) : hWnd(nullptr), uTimer(0), uID(id) {}

FwTimer::~FwTimer() { Stop(); }

void FwTimer::Start(HWND hWndOwner, UINT elapse, TIMERPROC pfn, UINT id)
{
    // A windowless timer cannot be replaced by its id (the system makes a new one for a
    // null window), and a timer of another window would be left running: stop it first.
    if (uTimer && (!hWndOwner || hWndOwner != hWnd))
        Stop();
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
