// The changer's window on a clock the test sets, its changes counted instead of drawn: each
// message (creation, ticks early, due and while a screen saver runs, a change of the system
// time, a resume, the real timer's tick) changes only at a due boundary and re-arms for the next.
#include <gtest/gtest.h>
#include <windows.h>
#include "ChangerTestUtil.h"
#include "ui/FindScreenSaverWnd.h"
#include "wallpaper/WPChangerWnd.h"

namespace {

const char kTestClass[] = "VantoraTestChanger";

class ClockedChanger : public WPChangerWnd {
public:
    SYSTEMTIME clock = {};
    int nChanges = 0;
    void GetNow(SYSTEMTIME& t) override { t = clock; }
    void MakeChange() override { nChanges++; }
};

enum Event { Create, Tick, TimeChange, Resume, SaverTick, RealTick };

// At the clock, the event: the changes made so far and the boundary the timer is armed for.
struct Step { Event event; const char* clock; int changes; const char* next; };

void RunSteps(DWORD options, unsigned long unit, const std::initializer_list<Step>& steps)
{
    PrivateSettings settings;
    RawSetDword(settings.sub, "Options", options);
    RawSetDword(settings.sub, "WP_change", unit);
    // Registered once for the process: no window of the saver class stays between steps.
    FwWnd::RegisterClassExA(kTestClass, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    WNDCLASSA saverClass = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), 0, 0, 0, 0, SCREENSAVER_CLASS};
    RegisterClassA(&saverClass);
    ClockedChanger wnd;
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.clock) + " event " + std::to_string(s.event) + " next " + s.next);
        wnd.clock = At(s.clock);
        static const UINT msgs[] = {0, WM_TIMER, WM_TIMECHANGE, WM_POWERBROADCAST, WM_TIMER};
        const WPARAM tick = WPChangerWnd::idChangeTimer, params[] = {0, tick, 0, PBT_APMRESUMEAUTOMATIC, tick};
        HWND saver = s.event == SaverTick ? CreateWindowA(SCREENSAVER_CLASS, "", WS_POPUP, 0, 0, 9, 9, nullptr,
                                                          nullptr, saverClass.hInstance, nullptr)
                                          : nullptr;
        if (s.event == Create)
            ASSERT_TRUE(wnd.Create(kTestClass, kTestClass, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr));
        else if (s.event == RealTick) // the timer as armed, on the clock as set
            EXPECT_TRUE(WaitFor([&] { return wnd.nChanges == s.changes; }, 10000));
        else
            wnd.SendMsg(msgs[s.event], params[s.event]);
        if (saver)
            DestroyWindow(saver);
        EXPECT_EQ(s.changes, wnd.nChanges);
        EXPECT_EQ(TimeCount(s.next), wnd.ullNextChange);
        EXPECT_EQ(s.next != std::string("none"), wnd.timer.IsTicking() != 0);
    }
}

const DWORD kOn = OPT_SS_CHANGE | OPT_WP_CHANGE;

} // namespace

TEST(ChangerWindow, HourlyThroughEarlyTicksAndStepsOfTheClock)
{
    RunSteps(kOn, 1, {
        {Create, "2024-05-14 10:25:30.000", 1, "2024-05-14 11:00:00.000"},
        {Tick, "2024-05-14 10:59:50.000", 1, "2024-05-14 11:00:00.000"}, // 10 s early: re-armed
        {Tick, "2024-05-14 10:59:59.500", 2, "2024-05-14 12:00:00.000"}, // on time
        {TimeChange, "2024-05-14 09:30:00.000", 2, "2024-05-14 10:00:00.000"}, // clock set back
        {TimeChange, "2024-05-13 09:30:00.000", 2, "2024-05-13 10:00:00.000"}, // a day back
        {Tick, "2024-05-14 10:00:00.010", 3, "2024-05-14 11:00:00.000"},
        {TimeChange, "2024-05-14 13:30:00.000", 3, "2024-05-14 11:00:00.000"}, // forward: due
        {Tick, "2024-05-14 13:30:00.020", 4, "2024-05-14 14:00:00.000"},
        {Resume, "2024-05-14 13:40:00.000", 4, "2024-05-14 14:00:00.000"},
        {Resume, "2024-05-14 12:40:00.000", 4, "2024-05-14 13:00:00.000"}, // clock set back meanwhile
        {Resume, "2024-05-14 15:10:00.000", 4, "2024-05-14 13:00:00.000"}, // slept past it
        {Tick, "2024-05-14 15:10:00.020", 5, "2024-05-14 16:00:00.000"},
    });
}

TEST(ChangerWindow, RealTimerDailyWakesHourlyHoldsBackForTheScreenSaverAndOffStaysUnarmed)
{
    RunSteps(kOn, 0, {
        {Create, "2024-05-14 10:25:59.950", 1, "2024-05-14 10:26:00.000"},
        {RealTick, "2024-05-14 10:25:59.950", 2, "2024-05-14 10:27:00.000"},
    });
    RunSteps(kOn, 2, {
        {Create, "2024-05-14 10:25:30.000", 1, "2024-05-15 00:00:00.000"},
        {Tick, "2024-05-14 11:25:30.000", 1, "2024-05-15 00:00:00.000"}, // a wake-up leg
        {SaverTick, "2024-05-15 00:00:00.000", 1, "2024-05-16 00:00:00.000"},
        {Tick, "2024-05-16 00:00:00.000", 2, "2024-05-17 00:00:00.000"},
    });
    RunSteps(OPT_SS_CHANGE, 1, {
        {Create, "2024-05-14 10:25:30.000", 1, "none"},
        {Tick, "2024-05-14 11:00:00.000", 1, "none"},
        {TimeChange, "2024-05-14 12:00:00.000", 1, "none"},
    });
}
