// The slideshow window in this process: preview detection, the timer after each picture,
// and input interrupting a later gradual replacement.
#include <gtest/gtest.h>
#include "SlideshowWnd.h"
#include "TestUtil.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);

// A shown slideshow window of the given size; the object deletes itself with the window.
SlideshowWnd* CreateSlideshow(int cx, int cy)
{
    FwWnd::RegisterClassExA("VntSlideshowTest", CS_OWNDC, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    SlideshowWnd* p = new SlideshowWnd;
    if (!p->CreateEx(WS_EX_TOPMOST, "VntSlideshowTest", "Slideshow", WS_POPUP, 0, 0, cx, cy, nullptr, nullptr,
                     nullptr)) {
        delete p;
        return nullptr;
    }
    ShowWindow(p->hWnd, SW_SHOWNOACTIVATE);
    return p;
}

// Fills the window red, or tells whether one of its pixels is red.
void FillRed(HWND hWnd)
{
    HDC hdc = GetDC(hWnd);
    RECT rc = {0, 0, 0x7FFF, 0x7FFF};
    SetDCBrushColor(hdc, kRed);
    FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    ReleaseDC(hWnd, hdc);
}
bool IsRed(HWND hWnd, int x, int y)
{
    HDC hdc = GetDC(hWnd);
    COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(hWnd, hdc);
    return c == kRed;
}

// WM_PAINT stays in the queue until its window is validated: dropping it alone never ends.
void DropPendingMessages()
{
    for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);)
        if (msg.message == WM_PAINT)
            ValidateRect(msg.hwnd, nullptr);
}

} // namespace

// A window narrower than the screen less 20 pixels is a preview. A timer tick shows the next
// picture and marks the timer fired; the timer is then re-armed by the preview's pace or the
// time-out, or not at all. A power broadcast is answered 0, so that the system may suspend.
TEST(SlideshowWnd, TimerTickShowsTheNextPictureAndRearmsTheTimer)
{
    int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    const struct {
        int cx;
        DWORD opts, timeOut;
        bool preview, ticking;
        UINT elapse;
    } cases[] = {
        {cxScreen - 21, 0, 10, true, true, 1000}, // the preview changes pictures regardless
        {cxScreen - 20, OPT_SS_CHANGE, 3, false, true, 3000},
        {cxScreen, OPT_SS_CHANGE, 0, false, true, 1000},
        {cxScreen, OPT_SS_CHANGE, 4294968, false, true, 86400000}, // would wrap to 704 ms
        {cxScreen, 0, 10, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.cx << " opts " << c.opts << " time-out " << c.timeOut);
        SlideshowWnd* p = CreateSlideshow(c.cx, cyScreen);
        ASSERT_NE(nullptr, p);
        EXPECT_EQ(c.preview, p->IsPreview() != 0);
        EXPECT_EQ(0, SendMessageA(p->hWnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0));
        p->opts.dwOpts = c.opts;
        p->opts.dwTimeOut = c.timeOut;
        ASSERT_TRUE(WaitFor([&] { return !p->IsShowDue(); }));
        p->timer.Stop();
        p->bTimerFired = 0;
        FillRed(p->hWnd);
        SendMessageA(p->hWnd, WM_TIMER, 1, 0);
        EXPECT_EQ(1, p->bTimerFired);
        ASSERT_TRUE(WaitFor([&] { return !p->IsShowDue(); }));
        EXPECT_FALSE(IsRed(p->hWnd, c.cx / 2, cyScreen / 2));
        EXPECT_EQ(c.ticking, p->timer.IsTicking() != 0);
        UINT elapse = 12345;
        EXPECT_EQ(c.ticking, p->GetInterval(elapse) != 0);
        EXPECT_EQ(c.ticking ? c.elapse : 12345u, elapse);
        EXPECT_TRUE(!c.ticking || p->timer.GetID() == 1u);
        DestroyWindow(p->hWnd);
    }
}

// A key waiting when a gradual replacement starts: after the first timer tick it stops the
// replacement (the window keeps the old picture); before it, the first picture is drawn
// whole. The timer runs on in both cases: the key may not end the saver.
TEST(SlideshowWnd, InputStopsOnlyALaterGradualReplacement)
{
    int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    for (int bTimerFired = 0; bTimerFired < 2; ++bTimerFired) {
        SCOPED_TRACE(bTimerFired ? "later picture" : "first picture");
        SlideshowWnd* p = CreateSlideshow(cxScreen, cyScreen);
        ASSERT_NE(nullptr, p);
        ASSERT_TRUE(WaitFor([&] { return !p->IsShowDue(); }));
        p->opts.dwOpts = OPT_SS_CHANGE | OPT_SS_GRADUAL;
        p->opts.dwTimeOut = 10;
        p->opts.dwPace = 0; // no pauses: the test needs the result, not the pace
        p->bTimerFired = bTimerFired;
        FillRed(p->hWnd);
        ASSERT_TRUE(p->preparer.Wait(30000));
        DropPendingMessages();
        PostMessageA(p->hWnd, WM_KEYDOWN, VK_SPACE, 0);
        HDC hdc = GetDC(p->hWnd);
        p->ShowNext(hdc);
        ReleaseDC(p->hWnd, hdc);
        for (POINT pt : {POINT{0, 0}, POINT{cxScreen / 2, cyScreen / 2}, POINT{cxScreen - 1, cyScreen - 1}})
            EXPECT_EQ(bTimerFired != 0, IsRed(p->hWnd, pt.x, pt.y)) << pt.x << "," << pt.y;
        EXPECT_TRUE(p->timer.IsTicking());
        DropPendingMessages();
        DestroyWindow(p->hWnd);
    }
}
