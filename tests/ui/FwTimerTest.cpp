// FwTimer: id rule, stop, and the destructor killing a running timer.
#include <gtest/gtest.h>
#include "ui/FwTimer.h"
#include "ui/FwWnd.h"
#include "TestUtil.h"

namespace {

class TimerCountWnd : public FwWnd {
public:
    int ticks = 0;
    UINT lastId = 0;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_TIMER) {
            ++ticks;
            lastId = static_cast<UINT>(wParam);
        }
        return FwWnd::OnMessage(msg, wParam, lParam);
    }
};

struct TimerWindow {
    TimerCountWnd wnd;
    TimerWindow()
    {
        FwWnd::RegisterClassExA("VntTimerWnd", 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
        wnd.Create("VntTimerWnd", "timer", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr);
    }
    ~TimerWindow() { wnd.Destroy(); }
};

} // namespace

TEST(FwTimer, ConstructorIdWinsOverStartId)
{
    TimerWindow tw;
    FwTimer timer(5);
    timer.Start(tw.wnd.hWnd, 10, nullptr, 9);
    EXPECT_EQ(5u, timer.GetID());
    ASSERT_TRUE(WaitFor([&] { return tw.wnd.ticks > 0; }, 5000));
    EXPECT_EQ(5u, tw.wnd.lastId);
}

TEST(FwTimer, ZeroIdTakesTheFirstStartIdAndKeepsIt)
{
    TimerWindow tw;
    FwTimer timer(0);
    timer.Start(tw.wnd.hWnd, 10, nullptr, 9);
    EXPECT_EQ(9u, timer.GetID());
    timer.Start(tw.wnd.hWnd, 10, nullptr, 12);
    EXPECT_EQ(9u, timer.GetID());
    ASSERT_TRUE(WaitFor([&] { return tw.wnd.ticks > 0; }, 5000));
    EXPECT_EQ(9u, tw.wnd.lastId);
}

TEST(FwTimer, StopOfIdleTimerDoesNothingAndStopEndsTicks)
{
    TimerWindow tw;
    FwTimer timer(3);
    timer.Stop();
    EXPECT_FALSE(timer.IsTicking());
    timer.Start(tw.wnd.hWnd, 10);
    EXPECT_TRUE(timer.IsTicking());
    ASSERT_TRUE(WaitFor([&] { return tw.wnd.ticks > 0; }, 5000));
    timer.Stop();
    EXPECT_FALSE(timer.IsTicking());
    PumpMessages(50); // a tick already queued may still arrive
    int ticks = tw.wnd.ticks;
    PumpMessages(200);
    EXPECT_EQ(ticks, tw.wnd.ticks);
}

TEST(FwTimer, DestructorKillsARunningTimer)
{
    TimerWindow tw;
    {
        FwTimer timer(4);
        timer.Start(tw.wnd.hWnd, 10);
        ASSERT_TRUE(WaitFor([&] { return tw.wnd.ticks > 0; }, 5000));
    }
    PumpMessages(50);
    int ticks = tw.wnd.ticks;
    PumpMessages(200);
    EXPECT_EQ(ticks, tw.wnd.ticks);
    // The system timer is gone: killing it again fails.
    EXPECT_FALSE(KillTimer(tw.wnd.hWnd, 4));
}

static int s_threadTicks = 0;
static void CALLBACK ThreadTimerProc(HWND, UINT, UINT_PTR, DWORD) { ++s_threadTicks; }

TEST(FwTimer, TimerWithoutWindowIsKilledByItsHandle)
{
    FwTimer timer(0);
    timer.Start(nullptr, 10, ThreadTimerProc, 0);
    ASSERT_TRUE(timer.IsTicking());
    ASSERT_TRUE(WaitFor([] { return s_threadTicks > 0; }, 5000));
    timer.Stop();
    PumpMessages(50);
    int ticks = s_threadTicks;
    PumpMessages(200);
    EXPECT_EQ(ticks, s_threadTicks);
}
