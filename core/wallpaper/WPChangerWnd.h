// WPChangerWnd: the hidden window of the wallpaper changer process. It loads the options,
// changes the wallpaper at once and then at each boundary of the chosen interval (full
// minutes, hours or midnight) unless a screen saver runs, and quits on the library's
// quit request.
#pragma once
#include <windows.h>
#include "VntApi.h"
#include "options/Opts.h"
#include "ui/FwTimer.h"
#include "ui/FwWnd.h"

#define WPCHANGER_CLASS "WPChangerWnd32"

class VNT_API WPChangerWnd : public FwWnd {
public:
    Opts opts;
    FwTimer timer;           // the change timer (id 1), armed in legs of an hour at most
    unsigned uMsg;           // the library's registered message
    ULONGLONG ullNextChange; // local time of the next change (100-ns count); 0 when none

    WPChangerWnd();
    ~WPChangerWnd() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The local time; the change itself: the next wallpaper picture.
    virtual void GetNow(SYSTEMTIME& t);
    virtual void MakeChange();

    enum { idChangeTimer = 1 };

private:
    void Quit();
    void ChangeWallpaper();
    void SetChangeTimer(int start);
    // A tick: the change when its boundary is due, else only a new leg.
    void OnTick();
    // The clock may have moved: plan the boundary again and arm for it.
    void Replan();
    // Arms the timer for the next leg towards ullNextChange.
    void ArmForNextChange();
};
