#include "wallpaper/WPChangerWnd.h"
#include <stdlib.h>
#include <time.h>
#include "base/CompanyMsg.h"
#include "ui/FindScreenSaverWnd.h"
#include "wallpaper/ChangeTime.h"

WPChangerWnd::WPChangerWnd() : timer(0), uMsg(GetMyCompanyMsg()), ullNextChange(0)
{
    bAutoDelete = 0;
    srand(static_cast<unsigned>(time(nullptr)));
}

// A window still alive (the loop ended by another's quit message) goes with its object,
// so no message reaches a destroyed object.
WPChangerWnd::~WPChangerWnd()
{
    if (hWnd && IsWindow(hWnd))
        DestroyWindow(hWnd);
    hWnd = nullptr;
}

void WPChangerWnd::GetNow(SYSTEMTIME& t)
{
    GetLocalTime(&t);
}

void WPChangerWnd::MakeChange()
{
    opts.SetNextWP();
}

LRESULT WPChangerWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == uMsg) {
        if (wParam == COMPANYMSG_QUIT && lParam == COMPANYMSG_QUIT_KEY) {
            Quit();
            return 0;
        }
    } else if (msg == WM_TIMER) {
        if (wParam == idChangeTimer)
            OnTick();
    } else if (msg == WM_CREATE) {
        opts.Load();
        opts.UpdateImageLists();
        ChangeWallpaper();
    } else if (msg == WM_DESTROY) {
        // Nothing is stored: the positions are written as each wallpaper is chosen, and the
        // record may be older than what the settings wrote since the changer started.
        timer.Stop();
    } else if (msg == WM_TIMECHANGE) {
        Replan();
    } else if (msg == WM_POWERBROADCAST) {
        // Back from sleep: a boundary passed meanwhile is due now.
        if (wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC)
            Replan();
        return 0;
    }
    return FwWnd::OnMessage(msg, wParam, lParam);
}

void WPChangerWnd::Quit()
{
    if (hWnd && IsWindow(hWnd))
        DestroyWindow(hWnd);
    hWnd = nullptr;
    PostQuitMessage(0);
}

void WPChangerWnd::ChangeWallpaper()
{
    SetChangeTimer(0);
    // While a screen saver runs the change falls out; it is not made up later.
    if (!FindScreenSaverWnd())
        MakeChange();
    SetChangeTimer(1);
}

void WPChangerWnd::SetChangeTimer(int start)
{
    if (!start) {
        timer.Stop();
        return;
    }
    if (timer.IsTicking() || !opts.IsOn(OPT_WP_CHANGE))
        return;
    if (opts.dwWPChangeCount == 0)
        opts.dwWPChangeCount = 1;
    SYSTEMTIME now;
    GetNow(now);
    ullNextChange = ScheduleWPChange(now, ullNextChange, opts.dwWPChange, opts.dwWPChangeCount);
    // The change itself took time: a boundary it ran past is taken as done.
    GetNow(now);
    if (ullNextChange <= LocalTimeToCount(now))
        ullNextChange = NextWPChange(now, opts.dwWPChange, opts.dwWPChangeCount);
    ArmForNextChange();
}

void WPChangerWnd::OnTick()
{
    if (!ullNextChange) {
        timer.Stop(); // a tick from nowhere: no change is planned
        return;
    }
    SYSTEMTIME now;
    GetNow(now);
    ullNextChange = ReplanWPChange(now, ullNextChange, opts.dwWPChange, opts.dwWPChangeCount);
    if (IsWPChangeDue(now, ullNextChange))
        ChangeWallpaper();
    else
        ArmForNextChange();
}

void WPChangerWnd::Replan()
{
    if (!ullNextChange)
        return;
    SYSTEMTIME now;
    GetNow(now);
    ullNextChange = ReplanWPChange(now, ullNextChange, opts.dwWPChange, opts.dwWPChangeCount);
    ArmForNextChange();
}

void WPChangerWnd::ArmForNextChange()
{
    timer.Stop();
    if (!hWnd || !ullNextChange)
        return;
    SYSTEMTIME now;
    GetNow(now);
    timer.Start(hWnd, WPTimerLeg(MsUntil(now, ullNextChange)), nullptr, idChangeTimer);
}
