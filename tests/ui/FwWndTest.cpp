// FwWnd binding, dispatch, subclassing and lifetimes, checked on real windows; FwTimer's id
// rules, and Stop, a restart and the destructor killing the system timer.
#include <gtest/gtest.h>
#include <string.h>
#include <algorithm>
#include <vector>
#include "ui/FwTimer.h"
#include "ui/FwWnd.h"
#include "TestUtil.h"
#include "base/Module.h"

namespace {

const char* kClass = "VntTestWnd";

// Records every message its OnMessage sees and the id of the last timer tick.
class RecordingWnd : public FwWnd {
public:
    std::vector<UINT> msgs;
    UINT lastTimer = 0;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        msgs.push_back(msg);
        if (msg == WM_TIMER)
            lastTimer = static_cast<UINT>(wParam);
        return FwWnd::OnMessage(msg, wParam, lParam);
    }
    bool Saw(UINT msg) const { return std::find(msgs.begin(), msgs.end(), msg) != msgs.end(); }
};

// Lives in a buffer of its own; deletion fills it with a mark instead of freeing it, so
// that a write after deletion shows.
class MarkedWnd : public FwWnd {
public:
    static unsigned char buffer[256];
    static void* operator new(size_t size) { return size <= sizeof(buffer) ? buffer : nullptr; }
    static void operator delete(void* p) { memset(p, 0xDD, sizeof(MarkedWnd)); }
    static bool StillMarked()
    {
        return std::count(buffer, buffer + sizeof(MarkedWnd), 0xDD) == sizeof(MarkedWnd);
    }
};
unsigned char MarkedWnd::buffer[256];

int s_ticks[2];
void CALLBACK CountFirst(HWND, UINT, UINT_PTR, DWORD) { s_ticks[0]++; }
void CALLBACK CountSecond(HWND, UINT, UINT_PTR, DWORD) { s_ticks[1]++; }

} // namespace

// Bound from its first message until Destroy. A failed create leaves the object unbound and
// the hand-over clear; a window of our class without an object gets the default handling;
// unsubclassing an unbound object does nothing; an auto-deleting object goes with its window
// and Destroy touches nothing of it afterwards.
TEST(FwWnd, CreatedWindowIsBoundFromItsFirstMessageUntilDestroyed)
{
    FwWnd::RegisterClassExA(kClass, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(kClass, "t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, FwWnd::pWndInit);
    EXPECT_TRUE(wnd.Saw(WM_NCCREATE));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&wnd), GetWindowLongPtrA(wnd.hWnd, GWLP_USERDATA));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(DefWindowProcA), wnd.pfnPrevWndProc);
    wnd.SendMsg(WM_USER, 0, 0);
    EXPECT_TRUE(wnd.Saw(WM_USER));
    EXPECT_TRUE(wnd.IsReady());
    EXPECT_TRUE(wnd.Destroy());
    EXPECT_EQ(nullptr, wnd.hWnd);
    EXPECT_FALSE(wnd.IsReady());
    EXPECT_FALSE(wnd.Create("NoSuchClassAnywhere", "t", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.hWnd);
    EXPECT_EQ(nullptr, FwWnd::pWndInit);
    EXPECT_FALSE(FwWnd().Unsubclass());
    HWND h = CreateWindowA(kClass, "orphan", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                           GetLibraryModule(), nullptr);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(0, GetWindowLongPtrA(h, GWLP_USERDATA));
    DestroyWindow(h);
    MarkedWnd* marked = new MarkedWnd;
    ASSERT_TRUE(marked->Create(kClass, "m", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr));
    marked->bAutoDelete = 1;
    h = marked->hWnd;
    EXPECT_TRUE(marked->Destroy());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_TRUE(MarkedWnd::StillMarked());
}

// A second Subclass keeps the first window and never takes WndProc as the previous procedure.
TEST(FwWnd, SubclassRoutesMessagesAndUnsubclassRestores)
{
    auto plain = [] { return CreateWindowA("STATIC", "", 0, 0, 0, 9, 9, 0, 0, 0, nullptr); };
    HWND h = plain(), other = plain();
    ASSERT_TRUE(h && other);
    const LONG_PTR original = GetWindowLongPtrA(h, GWLP_WNDPROC);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Subclass(h));
    EXPECT_TRUE(wnd.Subclass(other));
    EXPECT_EQ(h, wnd.hWnd);
    EXPECT_EQ(original, reinterpret_cast<LONG_PTR>(wnd.pfnPrevWndProc));
    EXPECT_EQ(original, GetWindowLongPtrA(other, GWLP_WNDPROC));
    SendMessageA(h, WM_USER + 7, 0, 0);
    EXPECT_TRUE(wnd.Saw(WM_USER + 7));
    EXPECT_TRUE(wnd.Unsubclass());
    EXPECT_EQ(original, GetWindowLongPtrA(h, GWLP_WNDPROC));
    EXPECT_EQ(0, GetWindowLongPtrA(h, GWLP_USERDATA));
    SendMessageA(h, WM_USER + 8, 0, 0);
    EXPECT_FALSE(wnd.Saw(WM_USER + 8));
    DestroyWindow(h);
    DestroyWindow(other);
}

// Once stopped or destroyed, an FwTimer leaves no system timer: killing it again fails.
TEST(FwTimer, IdRulesAndStopKillingTheSystemTimer)
{
    FwWnd::RegisterClassExA(kClass, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(kClass, "timer", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr));
    // A constructor id wins over Start's; id 0 takes the first Start id and keeps it.
    const struct { UINT ctorId, firstId, secondId, expected; } rows[] = {{5, 9, 9, 5}, {0, 9, 12, 9}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ctorId);
        wnd.lastTimer = 0;
        FwTimer timer(row.ctorId);
        timer.Start(wnd.hWnd, 10, nullptr, row.firstId);
        timer.Start(wnd.hWnd, 10, nullptr, row.secondId);
        EXPECT_EQ(row.expected, timer.GetID());
        ASSERT_TRUE(WaitFor([&] { return wnd.lastTimer != 0; }, 5000));
        EXPECT_EQ(row.expected, wnd.lastTimer);
        timer.Stop();
        EXPECT_FALSE(timer.IsTicking());
        EXPECT_FALSE(KillTimer(wnd.hWnd, row.expected));
    }
    {
        FwTimer scoped(4);
        scoped.Start(wnd.hWnd, 10);
    }
    EXPECT_FALSE(KillTimer(wnd.hWnd, 4));
    wnd.Destroy();
    // A timer without a window is killed by the handle the system gave it; started twice,
    // it leaves no timer behind either: only the next one ticks.
    FwTimer first, second;
    first.Start(nullptr, 10, CountFirst);
    first.Start(nullptr, 10, CountFirst);
    UINT_PTR handle = first.uTimer;
    ASSERT_TRUE(first.IsTicking());
    first.Stop();
    EXPECT_FALSE(KillTimer(nullptr, handle));
    s_ticks[0] = 0;
    second.Start(nullptr, 10, CountSecond);
    ASSERT_TRUE(WaitFor([] { return s_ticks[1] >= 5; }, 10000));
    EXPECT_EQ(0, s_ticks[0]);
}
