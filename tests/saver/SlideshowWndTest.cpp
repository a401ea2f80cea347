// The slideshow window in this process: preview detection, the timer after each picture,
// input interrupting a later gradual replacement, which is then finished, and a close sent
// in the middle of one, which ends the drawing without touching the deleted object.
#include <gtest/gtest.h>
#include <string.h>
#include "SlideshowWnd.h"
#include "TestUtil.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const DWORD kGradual = OPT_SS_CHANGE | OPT_SS_GRADUAL;
const int kCx = GetSystemMetrics(SM_CXSCREEN), kCy = GetSystemMetrics(SM_CYSCREEN);

// Fills its memory with a pattern when deleted, so that any use after the deletion reads a
// wild previous procedure or window and fails loudly.
class PoisonedSlideshow : public SlideshowWnd {
public:
    static int nDeleted;
    static void operator delete(void* p, size_t size)
    {
        memset(p, 0xDD, size);
        ++nDeleted;
        ::operator delete(p);
    }
};
int PoisonedSlideshow::nDeleted = 0;

DWORD WINAPI SendClose(void* hWnd)
{
    SendMessageA(static_cast<HWND>(hWnd), WM_CLOSE, 0, 0);
    return 0;
}

// A shown slideshow window of the given size; the object deletes itself with the window.
// With options, it shows its first picture and prepares the next one.
template <class Show = SlideshowWnd>
Show* CreateSlideshow(int cx, int cy, DWORD opts = 0)
{
    FwWnd::RegisterClassExA("VntSlideshowTest", CS_OWNDC, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    Show* p = new Show;
    if (!p->CreateEx(WS_EX_TOPMOST, "VntSlideshowTest", "Slideshow", WS_POPUP, 0, 0, cx, cy, nullptr, nullptr,
                     nullptr)) {
        delete p;
        return nullptr;
    }
    ShowWindow(p->hWnd, SW_SHOWNOACTIVATE);
    if (opts) {
        p->opts.dwOpts = opts;
        p->opts.dwTimeOut = 30;
        WaitFor([&] { return !p->IsShowDue() && !p->preparer.IsBusy(); });
    }
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
    const struct {
        int cx;
        DWORD opts, timeOut;
        bool preview, ticking;
        UINT elapse;
    } cases[] = {
        {kCx - 21, 0, 10, true, true, 1000}, // the preview changes pictures regardless
        {kCx - 20, OPT_SS_CHANGE, 3, false, true, 3000},
        {kCx, OPT_SS_CHANGE, 0, false, true, 1000},
        {kCx, OPT_SS_CHANGE, 4294968, false, true, 86400000}, // would wrap to 704 ms
        {kCx, 0, 10, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "width " << c.cx << " opts " << c.opts << " time-out " << c.timeOut);
        SlideshowWnd* p = CreateSlideshow(c.cx, kCy);
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
        EXPECT_FALSE(IsRed(p->hWnd, c.cx / 2, kCy / 2));
        EXPECT_EQ(c.ticking, p->timer.IsTicking() != 0);
        UINT elapse = 12345;
        EXPECT_EQ(c.ticking, p->GetInterval(elapse) != 0);
        EXPECT_EQ(c.ticking ? c.elapse : 12345u, elapse);
        EXPECT_TRUE(!c.ticking || p->timer.GetID() == 1u);
        DestroyWindow(p->hWnd);
    }
}

// Input waiting when a gradual replacement starts: after the first timer tick it stops the
// replacement (the window keeps the old picture), which is finished at once and not only at
// the next change 30 s later; before it, the first picture is drawn whole. The timer runs on
// in every case: the input may not end the saver.
TEST(SlideshowWnd, InputStopsOnlyALaterGradualReplacementWhichIsThenFinished)
{
    const struct {
        int bTimerFired;
        UINT msg;
    } rows[] = {{0, WM_KEYDOWN}, {1, WM_KEYDOWN}, {1, WM_MOUSEMOVE}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.bTimerFired ? "later picture, " : "first picture, ")
                                        << (row.msg == WM_KEYDOWN ? "key" : "mouse move"));
        SlideshowWnd* p = CreateSlideshow(kCx, kCy, kGradual);
        ASSERT_NE(nullptr, p);
        p->opts.dwPace = 0; // no pauses: the test needs the result, not the pace
        p->bTimerFired = row.bTimerFired;
        FillRed(p->hWnd);
        ASSERT_TRUE(p->preparer.Wait(30000));
        DropPendingMessages();
        PostMessageA(p->hWnd, row.msg, row.msg == WM_KEYDOWN ? VK_SPACE : 0, 0);
        HDC hdc = GetDC(p->hWnd);
        p->ShowNext(hdc);
        for (POINT pt : {POINT{0, 0}, POINT{kCx / 2, kCy / 2}, POINT{kCx - 1, kCy - 1}})
            EXPECT_EQ(row.bTimerFired != 0, IsRed(p->hWnd, pt.x, pt.y)) << pt.x << "," << pt.y;
        EXPECT_TRUE(p->timer.IsTicking());
        auto black = [&] { return !GetPixel(hdc, 0, 0) && !GetPixel(hdc, kCx - 1, kCy - 1); };
        EXPECT_TRUE(WaitFor(black, 10000)) << "finished at once";
        ReleaseDC(p->hWnd, hdc);
        DropPendingMessages();
        DestroyWindow(p->hWnd);
    }
}

// The close comes from another thread while the replacement asks whether input waits: the
// window and the object go, and the timer tick that started the drawing returns quietly.
TEST(SlideshowWnd, CloseSentDuringReplacementEndsTheDrawing)
{
    PoisonedSlideshow* p = CreateSlideshow<PoisonedSlideshow>(kCx, kCy, kGradual);
    ASSERT_NE(nullptr, p);
    HWND hWnd = p->hWnd;
    PoisonedSlideshow::nDeleted = 0;
    HANDLE hThread = CreateThread(nullptr, 0, SendClose, hWnd, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    // The close waits in this thread's queue until the drawing looks for input.
    DWORD start = GetTickCount();
    while (!(GetQueueStatus(QS_SENDMESSAGE) & QS_SENDMESSAGE) && GetTickCount() - start < 10000)
        Sleep(1);
    EXPECT_EQ(0, SendMessageA(hWnd, WM_TIMER, 1, 0));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(1, PoisonedSlideshow::nDeleted);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    CloseHandle(hThread);
}
