// The slideshow window in this process: preview detection, the timer after each picture,
// and input interrupting a later gradual replacement.
#include <gtest/gtest.h>
#include "SlideshowWnd.h"
#include "TestUtil.h"

namespace {

const char* kClass = "VntSlideshowTest";
const COLORREF kRed = RGB(255, 0, 0);

// Creates a slideshow window of the given size; the object deletes itself with the window.
SlideshowWnd* CreateSlideshow(int cx, int cy)
{
    static bool registered = false;
    if (!registered) {
        FwWnd::RegisterClassExA(kClass, CS_OWNDC, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
        registered = true;
    }
    SlideshowWnd* p = new SlideshowWnd;
    if (!p->CreateEx(WS_EX_TOPMOST, kClass, "Slideshow", WS_POPUP, 0, 0, cx, cy, nullptr, nullptr, nullptr)) {
        delete p;
        return nullptr;
    }
    return p;
}

void FillWindow(HWND hWnd, COLORREF color)
{
    HDC hdc = GetDC(hWnd);
    RECT rc;
    GetClientRect(hWnd, &rc);
    HBRUSH hbr = CreateSolidBrush(color);
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);
    ReleaseDC(hWnd, hdc);
}

COLORREF PixelAt(HWND hWnd, int x, int y)
{
    HDC hdc = GetDC(hWnd);
    COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(hWnd, hdc);
    return c;
}

void DropPendingMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        ;
}

} // namespace

// A power broadcast is answered 0, so that the system may suspend.
TEST(SlideshowWnd, PreviewIsAWindowNarrowerThanTheScreenLessTwentyPowerBroadcastAnsweredZero)
{
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    SlideshowWnd* narrow = CreateSlideshow(cxScreen - 21, 100);
    SlideshowWnd* wide = CreateSlideshow(cxScreen - 20, 100);
    ASSERT_TRUE(narrow && wide);
    EXPECT_EQ(1, narrow->IsPreview());
    EXPECT_EQ(0, wide->IsPreview());
    EXPECT_EQ(0, SendMessageA(wide->hWnd, WM_POWERBROADCAST, PBT_APMQUERYSUSPEND, 0));
    DestroyWindow(narrow->hWnd);
    DestroyWindow(wide->hWnd);
}

TEST(SlideshowWnd, TimerAfterEachPicture)
{
    int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    struct Case {
        bool preview;
        DWORD opts;
        DWORD timeOut;
        bool ticking;
        UINT elapse;
    };
    const Case cases[] = {
        {true, 0, 10, true, 1000},
        {false, OPT_SS_CHANGE, 3, true, 3000},
        {false, OPT_SS_CHANGE, 0, true, 0},
        {false, 0, 10, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "preview " << c.preview << " opts " << c.opts << " time-out " << c.timeOut);
        SlideshowWnd* p = c.preview ? CreateSlideshow(160, 120) : CreateSlideshow(cxScreen, cyScreen);
        ASSERT_NE(nullptr, p);
        p->opts.dwOpts = c.opts;
        p->opts.dwTimeOut = c.timeOut;
        HDC hdc = GetDC(p->hWnd);
        p->ShowNext(hdc);
        ReleaseDC(p->hWnd, hdc);
        ASSERT_TRUE(WaitFor([&] { return !p->IsShowDue(); }));
        EXPECT_EQ(c.ticking, p->timer.IsTicking() != 0);
        if (c.ticking) {
            EXPECT_EQ(1u, p->timer.GetID());
            UINT elapse = 12345;
            EXPECT_EQ(1, p->GetInterval(elapse));
            EXPECT_EQ(c.elapse, elapse);
        }
        DestroyWindow(p->hWnd);
    }
}

TEST(SlideshowWnd, TimerTickShowsTheNextPictureAndMarksTheTimerFired)
{
    SlideshowWnd* p = CreateSlideshow(160, 120);
    ASSERT_NE(nullptr, p);
    HWND hWnd = p->hWnd;
    ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    EXPECT_EQ(0, p->bTimerFired);
    FillWindow(hWnd, kRed);
    ASSERT_EQ(kRed, PixelAt(hWnd, 80, 60));
    SendMessageA(hWnd, WM_TIMER, 1, 0);
    EXPECT_EQ(1, p->bTimerFired);
    ASSERT_TRUE(WaitFor([&] { return !p->IsShowDue(); }));
    EXPECT_NE(kRed, PixelAt(hWnd, 80, 60));
    EXPECT_TRUE(p->timer.IsTicking());
    DestroyWindow(hWnd);
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
        HWND hWnd = p->hWnd;
        ShowWindow(hWnd, SW_SHOWNOACTIVATE);
        PumpMessages(100);
        p->opts.dwOpts = OPT_SS_CHANGE | OPT_SS_GRADUAL;
        p->opts.dwTimeOut = 10;
        p->opts.dwPace = 0; // no pauses: the test needs the result, not the pace
        p->bTimerFired = bTimerFired;
        FillWindow(hWnd, kRed);
        ASSERT_TRUE(p->preparer.Wait(30000));

        DropPendingMessages();
        PostMessageA(hWnd, WM_KEYDOWN, VK_SPACE, 0);
        HDC hdc = GetDC(hWnd);
        p->ShowNext(hdc);
        ReleaseDC(hWnd, hdc);
        bool bStopped = bTimerFired != 0;
        EXPECT_EQ(bStopped, kRed == PixelAt(hWnd, 0, 0));
        EXPECT_EQ(bStopped, kRed == PixelAt(hWnd, cxScreen / 2, cyScreen / 2));
        EXPECT_EQ(bStopped, kRed == PixelAt(hWnd, cxScreen - 1, cyScreen - 1));
        EXPECT_TRUE(p->timer.IsTicking());
        DropPendingMessages();
        DestroyWindow(hWnd);
    }
}
