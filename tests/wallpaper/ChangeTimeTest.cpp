// The schedule of the wallpaper changer, from given local times: the next boundary of each
// unit and count, what a tick or a step of the clock does to a planned change, and the
// timer legs that lead to it.
#include <gtest/gtest.h>
#include <windows.h>
#include "ChangerTestUtil.h"
#include "wallpaper/ChangeTime.h"

namespace {

SYSTEMTIME At(const char* text)
{
    ULONGLONG n = TimeCount(text);
    FILETIME ft = {static_cast<DWORD>(n), static_cast<DWORD>(n >> 32)};
    SYSTEMTIME t = {};
    FileTimeToSystemTime(&ft, &t);
    return t;
}

} // namespace

TEST(ChangeTime, NextBoundary)
{
    const struct {
        const char* now;
        unsigned long unit, count;
        const char* next;
    } cases[] = {
        {"2024-05-14 10:25:30.000", WP_HOURS, 1, "2024-05-14 11:00:00.000"},
        {"2024-05-14 10:25:30.000", WP_HOURS, 2, "2024-05-14 12:00:00.000"},
        {"2024-05-14 12:00:00.000", WP_HOURS, 2, "2024-05-14 14:00:00.000"}, // from a boundary
        {"2024-05-14 10:25:30.750", WP_MINUTES, 1, "2024-05-14 10:26:00.000"},
        {"2024-05-14 10:25:30.750", WP_MINUTES, 15, "2024-05-14 10:40:00.000"},
        {"2024-05-14 10:25:30.750", WP_MINUTES, 0, "2024-05-14 10:26:00.000"}, // 0 counts as 1
        {"2024-05-14 10:25:30.000", WP_DAYS, 1, "2024-05-15 00:00:00.000"},
        {"2024-05-14 23:59:59.999", WP_DAYS, 7, "2024-05-21 00:00:00.000"},
        {"2024-01-31 23:30:00.000", WP_HOURS, 1, "2024-02-01 00:00:00.000"},
        {"2024-02-29 08:00:00.000", WP_DAYS, 1, "2024-03-01 00:00:00.000"},
        {"2023-02-28 08:00:00.000", WP_DAYS, 1, "2023-03-01 00:00:00.000"},
        {"2024-12-31 23:59:10.000", WP_MINUTES, 1, "2025-01-01 00:00:00.000"},
        // Longer than one system timer; the largest counts stay calendar times.
        {"2024-05-14 10:25:30.000", WP_DAYS, 30, "2024-06-13 00:00:00.000"},
        {"2024-05-14 10:25:30.000", WP_DAYS, 0xFFFFFFFF, "12024-05-14 00:00:00.000"},
        // A unit the changer does not know counts as hours, the default unit.
        {"2024-05-14 10:25:30.000", 0xFFFFFFFF, 1, "2024-05-14 11:00:00.000"},
        {"2024-05-14 10:25:30.000", 7, 3, "2024-05-14 13:00:00.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.next, TimeText(NextWPChange(At(c.now), c.unit, c.count))) << c.now << " " << c.count;
    SYSTEMTIME bad = At("2024-05-14 10:00:00.000");
    bad.wMonth = 13;
    EXPECT_EQ(0u, NextWPChange(bad, WP_HOURS, 1));
}

// A tick or a step of the clock at now, with the hourly change planned for 11:00: the
// change when due (then the boundary after it), else the boundary to wait for.
TEST(ChangeTime, TicksAndStepsOfTheClock)
{
    const ULONGLONG planned = TimeCount("2024-05-14 11:00:00.000");
    const struct {
        const char* now;
        int due;
        const char* next;
    } cases[] = {
        {"2024-05-14 10:59:50.000", 0, "2024-05-14 11:00:00.000"}, // 10 s early
        {"2024-05-14 10:59:58.500", 1, "2024-05-14 12:00:00.000"}, // early within 2 s
        {"2024-05-14 11:00:00.040", 1, "2024-05-14 12:00:00.000"},
        {"2024-05-14 09:30:00.000", 0, "2024-05-14 10:00:00.000"}, // clock set back
        {"2024-05-13 10:30:00.000", 0, "2024-05-13 11:00:00.000"}, // a day back
        {"2024-05-14 13:30:00.000", 1, "2024-05-14 14:00:00.000"}, // forward past it
    };
    for (const auto& c : cases) {
        const SYSTEMTIME now = At(c.now);
        const ULONGLONG next = ReplanWPChange(now, planned, WP_HOURS, 1);
        EXPECT_EQ(c.due, IsWPChangeDue(now, next)) << c.now;
        EXPECT_EQ(c.next, TimeText(c.due ? ScheduleWPChange(now, next, WP_HOURS, 1) : next)) << c.now;
    }
    EXPECT_EQ(0u, ReplanWPChange(At("2024-05-14 10:40:00.000"), 0, WP_HOURS, 1)); // none planned
}

TEST(ChangeTime, TimerLegsOfAnHourAtMost)
{
    const SYSTEMTIME now = At("2024-05-14 10:25:30.750");
    const struct {
        const char* next;
        UINT leg;
    } cases[] = {
        {"2024-05-14 10:26:00.000", 29250},
        {"2024-05-14 11:00:00.000", 2069250},
        {"2024-05-14 11:25:30.750", 3600000},
        {"2024-06-13 00:00:00.000", 3600000}, // beyond one system timer
        {"2024-05-14 10:25:30.750", USER_TIMER_MINIMUM}, // due now
        {"2024-05-14 09:00:00.000", USER_TIMER_MINIMUM}, // passed
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.leg, WPTimerLeg(MsUntil(now, TimeCount(c.next)))) << c.next;
}
