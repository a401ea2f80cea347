// The schedule of the wallpaper changer: the next change after a given local time for
// each unit and count, and the timer that waits for it.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "wallpaper/ChangeTime.h"

namespace {

SYSTEMTIME Time(WORD y, WORD mo, WORD d, WORD h, WORD mi, WORD s, WORD ms = 0)
{
    SYSTEMTIME t = {y, mo, 0, d, h, mi, s, ms};
    return t;
}

// A change time as "YYYY-MM-DD hh:mm:ss.mmm".
std::string Text(ULONGLONG n)
{
    FILETIME ft = {static_cast<DWORD>(n), static_cast<DWORD>(n >> 32)};
    SYSTEMTIME t;
    if (!n || !FileTimeToSystemTime(&ft, &t))
        return "invalid";
    char buf[64];
    wsprintfA(buf, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t.wYear, t.wMonth, t.wDay, t.wHour,
              t.wMinute, t.wSecond, t.wMilliseconds);
    return buf;
}

std::string Next(const SYSTEMTIME& now, unsigned long unit, unsigned long count)
{
    return Text(NextWPChange(now, unit, count));
}

const SYSTEMTIME kNow = Time(2024, 5, 14, 10, 25, 30);

} // namespace

TEST(ChangeTime, NextBoundaryOfEachUnit)
{
    EXPECT_EQ("2024-05-14 11:00:00.000", Next(kNow, WP_HOURS, 1));
    EXPECT_EQ(2070000u, MsUntil(kNow, NextWPChange(kNow, WP_HOURS, 1)));
    EXPECT_EQ("2024-05-14 12:00:00.000", Next(kNow, WP_HOURS, 2));
    // From a boundary itself the sequence goes on.
    EXPECT_EQ("2024-05-14 14:00:00.000", Next(Time(2024, 5, 14, 12, 0, 0), WP_HOURS, 2));

    const SYSTEMTIME ms750 = Time(2024, 5, 14, 10, 25, 30, 750);
    EXPECT_EQ("2024-05-14 10:26:00.000", Next(ms750, WP_MINUTES, 1));
    EXPECT_EQ(29250u, MsUntil(ms750, NextWPChange(ms750, WP_MINUTES, 1)));
    EXPECT_EQ("2024-05-14 10:40:00.000", Next(ms750, WP_MINUTES, 15));

    EXPECT_EQ("2024-05-15 00:00:00.000", Next(kNow, WP_DAYS, 1));
    EXPECT_EQ("2024-05-21 00:00:00.000", Next(Time(2024, 5, 14, 23, 59, 59, 999), WP_DAYS, 7));

    // Count 0 counts as 1.
    EXPECT_EQ(Next(ms750, WP_MINUTES, 1), Next(ms750, WP_MINUTES, 0));
    EXPECT_EQ(Next(kNow, WP_HOURS, 1), Next(kNow, WP_HOURS, 0));
}

TEST(ChangeTime, AcrossMonthAndYearEnds)
{
    EXPECT_EQ("2024-02-01 00:00:00.000", Next(Time(2024, 1, 31, 23, 30, 0), WP_HOURS, 1));
    EXPECT_EQ("2024-03-01 00:00:00.000", Next(Time(2024, 2, 29, 8, 0, 0), WP_DAYS, 1));
    EXPECT_EQ("2023-03-01 00:00:00.000", Next(Time(2023, 2, 28, 8, 0, 0), WP_DAYS, 1));
    EXPECT_EQ("2025-01-01 00:00:00.000", Next(Time(2024, 12, 31, 23, 59, 10), WP_MINUTES, 1));
    EXPECT_EQ("2025-01-02 00:00:00.000", Next(Time(2024, 12, 31, 12, 0, 0), WP_DAYS, 2));
}

// An interval longer than one system timer takes still gives its true boundary; the
// largest counts stay valid calendar times. A unit the changer does not know counts as
// hours, the default unit, instead of an interval of nothing.
TEST(ChangeTime, LongIntervalsAndUnknownUnits)
{
    EXPECT_EQ("2024-06-13 00:00:00.000", Next(kNow, WP_DAYS, 30));
    EXPECT_GT(MsUntil(kNow, NextWPChange(kNow, WP_DAYS, 30)), 0x7FFFFFFFull);
    EXPECT_EQ("12024-05-14 00:00:00.000", Next(kNow, WP_DAYS, 0xFFFFFFFFul));
    EXPECT_EQ("12024-05-14 10:00:00.000", Next(kNow, WP_HOURS, 0xFFFFFFFFul));

    EXPECT_EQ("2024-05-14 11:00:00.000", Next(kNow, 0xFFFFFFFFul, 1));
    EXPECT_EQ("2024-05-14 13:00:00.000", Next(kNow, 7, 3));
    // A time that is no calendar time gives no change time.
    EXPECT_EQ(0u, NextWPChange(Time(2024, 13, 40, 10, 0, 0), WP_HOURS, 1));
}

// A timer that fires a little before its boundary, or after the change took a while,
// must not bring the same boundary round again.
TEST(ChangeTime, ScheduleAfterATimerThatFiredEarly)
{
    const SYSTEMTIME early = Time(2024, 5, 14, 10, 59, 59, 990);
    const ULONGLONG planned = NextWPChange(kNow, WP_HOURS, 1);
    EXPECT_EQ("2024-05-14 11:00:00.000", Text(NextWPChange(early, WP_HOURS, 1))); // on its own: again at once
    EXPECT_EQ("2024-05-14 12:00:00.000", Text(ScheduleWPChange(early, planned, WP_HOURS, 1)));
    EXPECT_EQ("2024-05-14 12:00:00.000",
              Text(ScheduleWPChange(Time(2024, 5, 14, 11, 0, 0, 40), planned, WP_HOURS, 1)));
    // Nothing planned, or a plan far ahead (a tick of its own): counted from now.
    EXPECT_EQ("2024-05-14 11:00:00.000", Text(ScheduleWPChange(early, 0, WP_HOURS, 1)));
    EXPECT_EQ("2024-05-14 11:00:00.000",
              Text(ScheduleWPChange(Time(2024, 5, 14, 10, 40, 0), planned, WP_HOURS, 1)));
}

TEST(ChangeTime, TimerPlans)
{
    WPTimerPlan p = PlanWPTimer(29250);
    EXPECT_FALSE(p.bWake);
    EXPECT_EQ(29250u, p.uElapse);
    p = PlanWPTimer(0); // already due
    EXPECT_FALSE(p.bWake);
    EXPECT_EQ(static_cast<UINT>(USER_TIMER_MINIMUM), p.uElapse);
    // 30 days do not fit one timer: wake after a day and plan again.
    const ULONGLONG boundary = NextWPChange(kNow, WP_DAYS, 30);
    p = PlanWPTimer(MsUntil(kNow, boundary));
    EXPECT_TRUE(p.bWake);
    EXPECT_EQ(86400000u, p.uElapse);
    // A day before the boundary the plan is the change itself, to the millisecond.
    p = PlanWPTimer(MsUntil(Time(2024, 6, 12, 10, 25, 30), boundary));
    EXPECT_FALSE(p.bWake);
    EXPECT_EQ((13u * 3600 + 34 * 60 + 30) * 1000, p.uElapse);
}
