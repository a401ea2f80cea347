#include "SlideshowWnd.h"
#include <stdlib.h>
#include <time.h>
#include <vector>
#include "GradualReplace.h"
#include "MonitorLayout.h"
#include "base/FwDC.h"

namespace {

const UINT kSlideTimerId = 1;
const UINT kPreviewInterval = 1000;
const UINT kRedrawDelay = 1; // the shortest: pending input is handled first all the same
const int kPreviewMargin = 20;

// Direction and style of the last replacements, kept for the whole process.
GradualChooser s_chooser;

} // namespace

// Lives on the stack while the object handles a message or draws. A close sent to the
// window reaches it through PeekMessage in the middle of a gradual replacement and
// deletes the object: its destructor marks every live check gone, and the code that
// follows touches nothing of the object any more.
struct SlideshowWnd::LiveCheck {
    SlideshowWnd* pWnd;
    LiveCheck* pOuter;
    bool bGone;

    explicit LiveCheck(SlideshowWnd* p) : pWnd(p), pOuter(p->pLive), bGone(false) { p->pLive = this; }
    ~LiveCheck()
    {
        if (!bGone)
            pWnd->pLive = pOuter;
    }
    LiveCheck(const LiveCheck&) = delete;
    LiveCheck& operator=(const LiveCheck&) = delete;
};

SlideshowWnd::SlideshowWnd()
    : timer(0), bTimerFired(0), bShowDue(0), bRedrawDue(0), bDrawing(0), pLive(nullptr)
{
    bAutoDelete = 1; // the object goes with its window
    srand(static_cast<unsigned>(time(nullptr)));
}

SlideshowWnd::~SlideshowWnd()
{
    for (LiveCheck* p = pLive; p; p = p->pOuter)
        p->bGone = true;
    timer.Stop();
}

LRESULT SlideshowWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE: {
        opts.Load();
        opts.UpdateImageLists();
        LRESULT result = FwWnd::OnMessage(msg, wParam, lParam);
        PrepareNext(); // the first picture is drawn while the window appears
        return result;
    }
    case WM_DESTROY:
        // Nothing is stored: the position is written as each picture is shown, and the rest
        // of the record may be older than what the settings wrote since the saver started.
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        break;
    }
    case WM_ERASEBKGND: {
        ClientDC hdc(hWnd);
        ShowNext(hdc);
        return 1;
    }
    case WM_TIMER: {
        LiveCheck live(this);
        {
            ClientDC hdc(hWnd);
            OnTick(hdc);
        }
        if (live.bGone)
            return 0;
        break;
    }
    case WM_FRAMEREADY: {
        ClientDC hdc(hWnd);
        ShowIfDue(hdc);
        return 0;
    }
    case WM_POWERBROADCAST:
        return 0;
    }
    return FwWnd::OnMessage(msg, wParam, lParam);
}

int SlideshowWnd::GetInterval(UINT& uElapse)
{
    if (IsPreview()) {
        uElapse = kPreviewInterval;
        return 1;
    }
    if (!(opts.dwOpts & OPT_SS_CHANGE))
        return 0;
    // Brought into range first, so the milliseconds never wrap around 32 bits.
    uElapse = ClampSetting(opts.dwTimeOut, cSecondsMax) * 1000u;
    return 1;
}

void SlideshowWnd::OnTick(HDC hdc)
{
    bTimerFired = 1;
    if (!bRedrawDue) {
        ShowNext(hdc);
        return;
    }
    // The input that cut the replacement short did not end the saver: finish the picture.
    timer.Stop();
    LiveCheck live(this);
    if (shown)
        Present(hdc, static_cast<HBITMAP>(shown->hObj), 0, live);
    bRedrawDue = 0;
    ArmTimer();
}

void SlideshowWnd::ShowNext(HDC hdc)
{
    if (timer.IsTicking())
        timer.Stop();
    bShowDue = 1;
    ShowIfDue(hdc);
}

void SlideshowWnd::ShowIfDue(HDC hdc)
{
    if (!bShowDue || bDrawing || preparer.IsBusy())
        return; // the preparer posts WM_FRAMEREADY when it is done
    if (!preparer.IsStarted()) {
        PrepareNext();
        return;
    }
    bShowDue = 0;
    std::unique_ptr<GdiObject> frame = preparer.Take();
    if (frame) {
        preparedPos.Write();
        int gradual = (opts.dwOpts & OPT_SS_GRADUAL) && !IsPreview();
        LiveCheck live(this);
        bDrawing = 1;
        int complete = Present(hdc, static_cast<HBITMAP>(frame->hObj), gradual, live);
        if (live.bGone)
            return;
        bDrawing = 0;
        shown = std::move(frame);
        bRedrawDue = !complete;
    }
    PrepareNext();
    ArmTimer();
}

void SlideshowWnd::PrepareNext()
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    int bPreview = IsPreview();
    RECT rcScreen = rc;
    MapWindowPoints(hWnd, nullptr, reinterpret_cast<POINT*>(&rcScreen), 2);
    std::vector<RECT> frames = LayoutFrames(rcScreen, bPreview ? std::vector<RECT>() : GetMonitorRects());

    // Chosen now, shown later: the stored position keeps naming the picture on the screen
    // until the chosen ones are shown.
    ShownPosition onScreen = ShownPosition::Read();
    std::vector<FramePicture> pictures;
    for (const RECT& frame : frames) {
        char szPath[cbPictBuffer], szCaption[cbPictBuffer];
        opts.GetNextPict(1, szPath, szCaption);
        // The preview shows the bare picture: no copyright line, no caption.
        pictures.push_back({frame, szPath, bPreview ? "" : szCaption, bPreview ? nullptr : Opts::pszCopyrightText,
                            opts.dwSSBlurEdges ? 1 : 0});
    }
    preparedPos = ShownPosition::Read();
    onScreen.Write();
    preparer.Start(rc.right, rc.bottom, pictures, hWnd, WM_FRAMEREADY);
}

int SlideshowWnd::Present(HDC hdc, HBITMAP hFrame, int gradual, LiveCheck& live)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    MemoryDC memDC(hdc);
    DCSelection select(memDC.hDC, hFrame);
    if (!memDC.hDC)
        return 1;
    if (!gradual) {
        BitBlt(hdc, 0, 0, rc.right, rc.bottom, memDC.hDC, 0, 0, SRCCOPY);
        return 1;
    }
    int dir, style;
    s_chooser.Choose(rand(), dir, style);
    return CopyGradually(hdc, memDC.hDC, rc.right, rc.bottom, dir, style, opts.dwPace,
                         IsInputPendingCallback, &live);
}

void SlideshowWnd::ArmTimer()
{
    UINT uElapse = kRedrawDelay;
    if (bRedrawDue || GetInterval(uElapse))
        timer.Start(hWnd, uElapse, nullptr, kSlideTimerId);
}

int SlideshowWnd::IsPreview()
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    return rc.right < GetSystemMetrics(SM_CXSCREEN) - kPreviewMargin;
}

int SlideshowWnd::IsInputPending()
{
    if (IsPreview() || !bTimerFired)
        return 0;
    // A sent message may be handled inside PeekMessage and destroy the window and this
    // object: nothing of the object is used after the first call.
    static const UINT ranges[][2] = {
        {WM_CLOSE, WM_QUIT}, {WM_KEYDOWN, WM_KEYDOWN + 8}, {WM_MOUSEMOVE, WM_MBUTTONDBLCLK}};
    MSG msg;
    for (const auto& range : ranges)
        if (PeekMessageA(&msg, nullptr, range[0], range[1], PM_NOREMOVE))
            return 1;
    return 0;
}

int SlideshowWnd::IsInputPendingCallback(void* pLive)
{
    LiveCheck* live = static_cast<LiveCheck*>(pLive);
    return live->bGone || live->pWnd->IsInputPending() || live->bGone;
}
