#include "SlideshowWnd.h"
#include <stdlib.h>
#include <time.h>
#include "GradualReplace.h"
#include "picture/iPicture.h"

namespace {

const UINT kSlideTimerId = 1;
const UINT kPreviewInterval = 1000;
const int kPreviewMargin = 20;
const int kPictBuffer = 520;

// Direction and style of the last replacements, kept for the whole process.
GradualChooser s_chooser;

// Memory DC holding a bitmap of the window's size while a picture is drawn off screen.
class OffscreenBitmap {
public:
    OffscreenBitmap(HDC hdc, int cx, int cy)
        : hdcMem(CreateCompatibleDC(hdc)), hbm(CreateCompatibleBitmap(hdc, cx, cy)), hbmOld(nullptr)
    {
        if (hdcMem && hbm)
            hbmOld = static_cast<HBITMAP>(SelectObject(hdcMem, hbm));
    }
    ~OffscreenBitmap()
    {
        if (hbmOld)
            SelectObject(hdcMem, hbmOld);
        if (hbm)
            DeleteObject(hbm);
        if (hdcMem)
            DeleteDC(hdcMem);
    }
    OffscreenBitmap(const OffscreenBitmap&) = delete;
    OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;
    bool IsReady() const { return hbmOld != nullptr; }
    HDC GetDC() const { return hdcMem; }

private:
    HDC hdcMem;
    HBITMAP hbm;
    HBITMAP hbmOld;
};

// The window's DC for the length of one drawing.
class WindowDC {
public:
    explicit WindowDC(HWND hWnd) : hWnd(hWnd), hdc(::GetDC(hWnd)) {}
    ~WindowDC() { if (hdc) ReleaseDC(hWnd, hdc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return hdc; }

private:
    HWND hWnd;
    HDC hdc;
};

} // namespace

SlideshowWnd::SlideshowWnd() : timer(0), bTimerFired(0)
{
    srand(static_cast<unsigned>(time(nullptr)));
}

SlideshowWnd::~SlideshowWnd()
{
    timer.Stop();
}

LRESULT SlideshowWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        opts.Load();
        opts.UpdateImageLists();
        break;
    case WM_DESTROY:
        opts.Store();
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hWnd, &ps);
        EndPaint(hWnd, &ps);
        break;
    }
    case WM_ERASEBKGND: {
        WindowDC hdc(hWnd);
        ShowNext(hdc);
        return 1;
    }
    case WM_TIMER: {
        bTimerFired = 1;
        WindowDC hdc(hWnd);
        ShowNext(hdc);
        break;
    }
    case WM_POWERBROADCAST:
        return 0;
    case WM_NCDESTROY: {
        LRESULT result = FwWnd::OnMessage(msg, wParam, lParam);
        pfnPrevWndProc = nullptr;
        delete this;
        return result;
    }
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
    // Formed in unsigned 32 bits; 0 lets the system use its shortest interval.
    uElapse = opts.dwTimeOut * 1000u;
    return 1;
}

void SlideshowWnd::ShowNext(HDC hdc)
{
    if (timer.IsTicking())
        timer.Stop();
    if ((opts.dwOpts & OPT_SS_GRADUAL) && !IsPreview())
        DrawGradually(hdc);
    else
        DrawPicture(hdc);
    if (IsInputPending())
        return; // the pending input ends the saver
    UINT uElapse;
    if (GetInterval(uElapse))
        timer.Start(hWnd, uElapse, nullptr, kSlideTimerId);
}

void SlideshowWnd::DrawPicture(HDC hdcTarget)
{
    // The preview shows the bare picture: no copyright line, no caption.
    int bPreview = IsPreview();
    const char* pszCopyright = bPreview ? nullptr : Opts::pszCopyrightText;
    char szPath[kPictBuffer], szCaption[kPictBuffer];
    opts.GetNextPict(1, szPath, szCaption);
    iPicture picture;
    picture.Blast(hWnd, szPath, 1, hdcTarget, pszCopyright, bPreview ? nullptr : szCaption, 1);
}

void SlideshowWnd::DrawGradually(HDC hdc)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    OffscreenBitmap offscreen(hdc, rc.right, rc.bottom);
    if (!offscreen.IsReady()) {
        DrawPicture(hdc); // no memory for the off-screen copy: draw straight to the window
        return;
    }
    DrawPicture(offscreen.GetDC());
    int dir, style;
    s_chooser.Choose(rand(), dir, style);
    CopyGradually(hdc, offscreen.GetDC(), rc.right, rc.bottom, dir, style, opts.dwPace,
                  IsInputPendingCallback, this);
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
    static const UINT ranges[][2] = {
        {WM_CLOSE, WM_QUIT}, {WM_KEYDOWN, WM_KEYDOWN + 8}, {WM_MOUSEMOVE, WM_MBUTTONDBLCLK}};
    MSG msg;
    for (const auto& range : ranges)
        if (PeekMessageA(&msg, nullptr, range[0], range[1], PM_NOREMOVE))
            return 1;
    return 0;
}

int SlideshowWnd::IsInputPendingCallback(void* pThis)
{
    return static_cast<SlideshowWnd*>(pThis)->IsInputPending();
}
