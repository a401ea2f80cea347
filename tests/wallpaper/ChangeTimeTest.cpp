// The schedule of the wallpaper changer, from given local times: the next boundary of each
// unit and count, and the timer legs that lead to it.
#include <gtest/gtest.h>
#include <windows.h>
#include "ChangerTestUtil.h"
#include "wallpaper/ChangeTime.h"

TEST(ChangeTime, NextBoundary)
{
    const struct { const char* now; unsigned long unit, count; const char* next; } cases[] = {
        {"2024-05-14 10:25:30.000", WP_HOURS, 1, "2024-05-14 11:00:00.000"},
        {"2024-05-14 10:25:30.000", WP_HOURS, 2, "2024-05-14 12:00:00.000"},
        {"2024-05-14 12:00:00.000", WP_HOURS, 2, "2024-05-14 14:00:00.000"}, // from a boundary
        {"2024-05-14 10:25:30.750", WP_MINUTES, 1, "2024-05-14 10:26:00.000"},
        {"2024-05-14 10:25:30.750", WP_MINUTES, 0, "2024-05-14 10:26:00.000"}, // 0 counts as 1
        {"2024-05-14 10:25:30.000", WP_DAYS, 1, "2024-05-15 00:00:00.000"},
        {"2024-05-14 23:59:59.999", WP_DAYS, 7, "2024-05-21 00:00:00.000"},
        // Longer than one system timer; the largest counts stay calendar times.
        {"2024-05-14 10:25:30.000", WP_DAYS, 30, "2024-06-13 00:00:00.000"},
        {"2024-05-14 10:25:30.000", WP_DAYS, 0xFFFFFFFF, "12024-05-14 00:00:00.000"},
        {"2024-05-14 10:25:30.000", 7, 3, "2024-05-14 13:00:00.000"}, // an unknown unit: hours
    };
    for (const auto& c : cases)
        EXPECT_EQ(TimeCount(c.next), NextWPChange(At(c.now), c.unit, c.count)) << c.now << " " << c.next;
}

TEST(ChangeTime, TimerLegsOfAnHourAtMost)
{
    const SYSTEMTIME now = At("2024-05-14 10:25:30.750");
    const struct { const char* next; UINT leg; } cases[] = {
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
