// WPChangerWnd: the hidden window of the wallpaper changer process. It loads the options,
// changes the wallpaper at once and then at each boundary of the chosen interval (full
// minutes, hours or midnight) unless a screen saver runs, and quits on the library's
// quit request.
#pragma once
#include <windows.h>
#include "options/Opts.h"
#include "ui/FwTimer.h"
#include "ui/FwWnd.h"

#define WPCHANGER_CLASS "WPChangerWnd32"

class WPChangerWnd : public FwWnd {
public:
    Opts opts;
    FwTimer timer;      // the change timer (id 1)
    FwTimer timerWake;  // wakes the window early to re-arm a change too far away (id 2)
    unsigned uMsg;      // the library's registered message
    ULONGLONG ullNextChange; // local time of the next change (100-ns count); 0 when none

    WPChangerWnd();
    ~WPChangerWnd() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    enum { idChangeTimer = 1, idWakeTimer = 2 };

private:
    void Quit();
    void ChangeWallpaper();
    void SetChangeTimer(int start);
    // Arms the timers for the time left until ullNextChange.
    void ArmForNextChange();
};
