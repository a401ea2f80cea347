// SlideshowWnd: the object behind the saver window, full screen or preview. Each time the
// window is erased and each time its timer fires it shows the next frame, which a worker
// thread has drawn ahead: on several monitors each one shows its own picture.
#pragma once
#include <windows.h>
#include <memory>
#include "ui/FwWnd.h"
#include "ui/FwTimer.h"
#include "options/Opts.h"
#include "PicturePreparer.h"
#include "ShownPosition.h"

class SlideshowWnd : public FwWnd {
public:
    // Posted by the preparer when the next frame is ready.
    static const UINT WM_FRAMEREADY = WM_APP + 1;

    Opts opts;
    FwTimer timer;
    int bTimerFired;
    PicturePreparer preparer;

    SlideshowWnd();
    ~SlideshowWnd() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Stops the timer and shows the prepared frame, at once or as soon as it is ready;
    // then prepares the one after it and re-arms the timer.
    void ShowNext(HDC hdc);
    int IsPreview();
    int IsInputPending();
    // The timer interval after a picture in ms; 0 when no timer is to run.
    int GetInterval(UINT& uElapse);
    // A frame is to be shown as soon as the preparer has it.
    int IsShowDue() const { return bShowDue; }

private:
    struct LiveCheck;

    std::unique_ptr<GdiObject> shown; // the frame on the screen
    ShownPosition preparedPos;        // the stored position once the prepared frame is shown
    int bShowDue;
    int bRedrawDue; // a replacement was cut short: the frame is drawn whole at the next tick
    int bDrawing;
    LiveCheck* pLive;

    void OnTick(HDC hdc);
    void ShowIfDue(HDC hdc);
    void PrepareNext();
    // Copies the frame to the window, gradually or at once; 0 when input cut it short.
    int Present(HDC hdc, HBITMAP hFrame, int gradual, LiveCheck& live);
    void ArmTimer();
    static int IsInputPendingCallback(void* pLive);
};
