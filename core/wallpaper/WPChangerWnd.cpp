#include "wallpaper/WPChangerWnd.h"
#include <stdlib.h>
#include <time.h>
#include "base/CompanyMsg.h"
#include "ui/FindScreenSaverWnd.h"
#include "wallpaper/ChangeTime.h"

static void GetNow(SYSTEMTIME& t)
{
    GetLocalTime(&t);
}

WPChangerWnd::WPChangerWnd()
    : timer(0), timerWake(0), uMsg(GetMyCompanyMsg()), ullNextChange(0)
{
    bAutoDelete = 0;
    srand(static_cast<unsigned>(time(nullptr)));
}

// A window still alive (the loop ended by another's quit message) goes with its object,
// so no message reaches a destroyed object; it stores the options as it goes.
WPChangerWnd::~WPChangerWnd()
{
    if (hWnd && IsWindow(hWnd))
        DestroyWindow(hWnd);
    hWnd = nullptr;
}

LRESULT WPChangerWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == uMsg) {
        if (wParam == COMPANYMSG_QUIT && lParam == COMPANYMSG_QUIT_KEY) {
            Quit();
            return 0;
        }
    } else if (msg == WM_TIMER) {
        if (wParam == idWakeTimer) {
            timerWake.Stop();
            ArmForNextChange();
        } else {
            ChangeWallpaper();
        }
    } else if (msg == WM_CREATE) {
        opts.Load();
        opts.UpdateImageLists();
        ChangeWallpaper();
    } else if (msg == WM_DESTROY) {
        timer.Stop();
        timerWake.Stop();
        opts.Store();
    } else if (msg == WM_POWERBROADCAST) {
        // Back from sleep: a boundary passed meanwhile is due now.
        if ((wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMRESUMEAUTOMATIC) &&
            (timer.IsTicking() || timerWake.IsTicking()))
            ArmForNextChange();
        return 0;
    }
    return FwWnd::OnMessage(msg, wParam, lParam);
}

void WPChangerWnd::Quit()
{
    opts.Store();
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
        opts.SetNextWP();
    SetChangeTimer(1);
}

void WPChangerWnd::SetChangeTimer(int start)
{
    if (!start) {
        timer.Stop();
        timerWake.Stop();
        return;
    }
    if (timer.IsTicking() || timerWake.IsTicking() || !opts.IsOn(OPT_WP_CHANGE))
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

void WPChangerWnd::ArmForNextChange()
{
    timer.Stop();
    timerWake.Stop();
    if (!hWnd || !ullNextChange)
        return;
    SYSTEMTIME now;
    GetNow(now);
    WPTimerPlan plan = PlanWPTimer(MsUntil(now, ullNextChange));
    if (plan.bWake)
        timerWake.Start(hWnd, plan.uElapse, nullptr, idWakeTimer);
    else
        timer.Start(hWnd, plan.uElapse, nullptr, idChangeTimer);
}
