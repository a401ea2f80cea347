// SlideshowWnd: the object behind the saver window, full screen or preview. It shows one
// picture each time the window is erased and each time its timer fires.
#pragma once
#include <windows.h>
#include "ui/FwWnd.h"
#include "ui/FwTimer.h"
#include "options/Opts.h"

class SlideshowWnd : public FwWnd {
public:
    Opts opts;
    FwTimer timer;
    int bTimerFired;

    SlideshowWnd();
    ~SlideshowWnd() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    void ShowNext(HDC hdc);
    void DrawPicture(HDC hdcTarget);
    void DrawGradually(HDC hdc);
    int IsPreview();
    int IsInputPending();
    // The timer interval after a picture in ms; 0 when no timer is to run.
    int GetInterval(UINT& uElapse);

private:
    static int IsInputPendingCallback(void* pThis);
};
