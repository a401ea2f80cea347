#include "SlideshowWnd.h"
#include <stdlib.h>
#include <time.h>
#include "GradualReplace.h"
#include "picture/FwDC.h"
#include "picture/GdiHolders.h"
#include "picture/iPicture.h"

namespace {

const UINT kSlideTimerId = 1;
const UINT kPreviewInterval = 1000;
const int kPreviewMargin = 20;

// Direction and style of the last replacements, kept for the whole process.
GradualChooser s_chooser;

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
        ClientDC hdc(hWnd);
        ShowNext(hdc);
        return 1;
    }
    case WM_TIMER: {
        bTimerFired = 1;
        ClientDC hdc(hWnd);
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
    char szPath[cbPictBuffer], szCaption[cbPictBuffer];
    opts.GetNextPict(1, szPath, szCaption);
    iPicture picture;
    picture.Blast(hWnd, szPath, 1, hdcTarget, pszCopyright, bPreview ? nullptr : szCaption, 1);
}

void SlideshowWnd::DrawGradually(HDC hdc)
{
    RECT rc;
    GetClientRect(hWnd, &rc);
    MemoryDC memDC(hdc);
    GdiObject bitmap(CreateCompatibleBitmap(hdc, rc.right, rc.bottom));
    if (!memDC.hDC || !bitmap.hObj) {
        DrawPicture(hdc); // no memory for the off-screen copy: draw straight to the window
        return;
    }
    DCSelection select(memDC.hDC, bitmap.hObj);
    DrawPicture(memDC.hDC);
    int dir, style;
    s_chooser.Choose(rand(), dir, style);
    CopyGradually(hdc, memDC.hDC, rc.right, rc.bottom, dir, style, opts.dwPace,
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
