// FwTimer: id rules, and Stop and the destructor killing the system timer.
#include <gtest/gtest.h>
#include "ui/FwTimer.h"
#include "ui/FwWnd.h"
#include "TestUtil.h"

namespace {

// Notes the id of the last timer tick.
class TimerWnd : public FwWnd {
public:
    UINT lastId = 0;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_TIMER)
            lastId = static_cast<UINT>(wParam);
        return FwWnd::OnMessage(msg, wParam, lParam);
    }
};

void CALLBACK NoTick(HWND, UINT, UINT_PTR, DWORD) {}

} // namespace

// Once stopped or destroyed, an FwTimer leaves no system timer: killing it again fails.
TEST(FwTimer, IdRulesAndStopKillingTheSystemTimer)
{
    FwWnd::RegisterClassExA("VntTimerWnd", 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    TimerWnd wnd;
    ASSERT_TRUE(wnd.Create("VntTimerWnd", "timer", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr));
    // A constructor id wins over Start's; id 0 takes the first Start id and keeps it.
    const struct { UINT ctorId, firstId, secondId, expected; } rows[] = {{5, 9, 9, 5}, {0, 9, 12, 9}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.ctorId);
        wnd.lastId = 0;
        FwTimer timer(row.ctorId);
        timer.Start(wnd.hWnd, 10, nullptr, row.firstId);
        timer.Start(wnd.hWnd, 10, nullptr, row.secondId);
        EXPECT_EQ(row.expected, timer.GetID());
        ASSERT_TRUE(WaitFor([&] { return wnd.lastId != 0; }, 5000));
        EXPECT_EQ(row.expected, wnd.lastId);
        timer.Stop();
        EXPECT_FALSE(timer.IsTicking());
        EXPECT_FALSE(KillTimer(wnd.hWnd, row.expected));
    }
    {
        FwTimer scoped(4);
        scoped.Start(wnd.hWnd, 10);
    }
    EXPECT_FALSE(KillTimer(wnd.hWnd, 4));
    // A timer without a window is killed by the handle the system gave it.
    FwTimer threadTimer(0);
    threadTimer.Start(nullptr, 10, NoTick, 0);
    UINT_PTR handle = threadTimer.uTimer;
    ASSERT_TRUE(threadTimer.IsTicking());
    threadTimer.Stop();
    EXPECT_FALSE(KillTimer(nullptr, handle));
    wnd.Destroy();
}
