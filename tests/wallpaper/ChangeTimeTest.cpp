// The schedule of the wallpaper changer, from given local times: the next boundary of each
// unit and count, and the timer legs that lead to it. (Ticks and steps of the clock: the
// window's tests.)
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
