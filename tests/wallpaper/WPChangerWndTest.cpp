// The changer's window in this process, on a clock the test sets and with its changes
// counted instead of drawn: each message (creation, ticks early, due and while a screen
// saver runs, a change of the system time, a resume) must change the wallpaper only at a
// due boundary and leave the timer armed for the right one.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "ChangerTestUtil.h"
#include "options/Opts.h"
#include "ui/FindScreenSaverWnd.h"
#include "wallpaper/WPChangerWnd.h"

namespace {

const char kTestClass[] = "VantoraTestChanger";

class ClockedChanger : public WPChangerWnd {
public:
    ULONGLONG ullClock = 0;
    int nChanges = 0;

    void GetNow(SYSTEMTIME& t) override
    {
        FILETIME ft = {static_cast<DWORD>(ullClock), static_cast<DWORD>(ullClock >> 32)};
        FileTimeToSystemTime(&ft, &t);
    }
    void MakeChange() override { nChanges++; }
};

enum Event { Create, Tick, TimeChange, Resume, SaverTick };

struct Step {
    Event event;
    const char* clock;
    int changes;      // changes made so far
    const char* next; // the boundary the timer is armed for
};

void RunSteps(DWORD options, unsigned long unit, const std::initializer_list<Step>& steps)
{
    PrivateSettings settings;
    SetRegDword("Options", options, settings.sub.c_str());
    SetRegDword("WP_change", unit, settings.sub.c_str());
    ASSERT_TRUE(FwWnd::RegisterClassExA(kTestClass, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0));
    WNDCLASSA saverClass = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr)};
    saverClass.lpszClassName = SCREENSAVER_CLASS;
    ASSERT_TRUE(RegisterClassA(&saverClass));
    {
        ClockedChanger wnd;
        for (const Step& s : steps) {
            SCOPED_TRACE(std::string(s.clock) + " event " + std::to_string(s.event));
            wnd.ullClock = TimeCount(s.clock);
            static const UINT msgs[] = {0, WM_TIMER, WM_TIMECHANGE, WM_POWERBROADCAST, WM_TIMER};
            static const WPARAM params[] = {0, WPChangerWnd::idChangeTimer, 0, PBT_APMRESUMEAUTOMATIC,
                                            WPChangerWnd::idChangeTimer};
            HWND saver = s.event == SaverTick ? CreateWindowA(SCREENSAVER_CLASS, "", WS_POPUP, 0, 0, 9, 9, nullptr,
                                                              nullptr, saverClass.hInstance, nullptr)
                                              : nullptr;
            if (s.event == Create)
                ASSERT_TRUE(wnd.Create(kTestClass, kTestClass, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr));
            else
                wnd.SendMsg(msgs[s.event], params[s.event]);
            if (saver)
                DestroyWindow(saver);
            EXPECT_EQ(s.changes, wnd.nChanges);
            EXPECT_EQ(s.next, TimeText(wnd.ullNextChange));
            EXPECT_EQ(s.next != std::string("none"), wnd.timer.IsTicking() != 0);
        }
    }
    UnregisterClassA(SCREENSAVER_CLASS, saverClass.hInstance);
    FwWnd::UnregisterClassA(kTestClass);
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
        {Tick, "2024-05-14 10:00:00.010", 3, "2024-05-14 11:00:00.000"},
        {TimeChange, "2024-05-14 13:30:00.000", 3, "2024-05-14 11:00:00.000"}, // forward: due
        {Tick, "2024-05-14 13:30:00.020", 4, "2024-05-14 14:00:00.000"},
        {Resume, "2024-05-14 13:40:00.000", 4, "2024-05-14 14:00:00.000"},
        {Resume, "2024-05-14 15:10:00.000", 4, "2024-05-14 14:00:00.000"}, // slept past it
        {Tick, "2024-05-14 15:10:00.020", 5, "2024-05-14 16:00:00.000"},
    });
}

TEST(ChangerWindow, DailyWakesHourlyHoldsBackForTheScreenSaverAndOffStaysUnarmed)
{
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
