#include "wallpaper/ChangeTime.h"

static const ULONGLONG kTicksPerSecond = 10000000ull;
// Intervals beyond 10000 years are cut to it, so the sum stays a valid calendar time.
static const ULONGLONG kMaxIntervalSeconds = 3652425ull * 86400ull;
// A timer that fires this little before its boundary counts as on time.
static const ULONGLONG kEarlyTicks = 2000ull * 10000ull;
// One timer leg lasts an hour at most, so a step of the clock is noticed within the hour
// even when no time-change message comes.
static const ULONGLONG kMaxLegMs = 60ull * 60 * 1000;

unsigned long WPUnitOf(unsigned long unit)
{
    return unit == WP_MINUTES || unit == WP_HOURS || unit == WP_DAYS ? unit : WP_HOURS;
}

unsigned long WPUnitSeconds(unsigned long unit)
{
    switch (WPUnitOf(unit)) {
    case WP_MINUTES:
        return 60;
    case WP_DAYS:
        return 86400;
    default:
        return 3600;
    }
}

ULONGLONG LocalTimeToCount(const SYSTEMTIME& t)
{
    FILETIME ft;
    if (!SystemTimeToFileTime(&t, &ft))
        return 0;
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

ULONGLONG NextWPChange(const SYSTEMTIME& now, unsigned long unit, unsigned long count)
{
    ULONGLONG start = LocalTimeToCount(now);
    if (!start)
        return 0;
    unit = WPUnitOf(unit);
    ULONGLONG seconds = static_cast<ULONGLONG>(count ? count : 1) * WPUnitSeconds(unit);
    if (seconds > kMaxIntervalSeconds)
        seconds = kMaxIntervalSeconds;
    ULONGLONG next = start + seconds * kTicksPerSecond;
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(next);
    ft.dwHighDateTime = static_cast<DWORD>(next >> 32);
    SYSTEMTIME t;
    if (!FileTimeToSystemTime(&ft, &t))
        return 0;
    t.wMilliseconds = 0;
    t.wSecond = 0;
    if (unit != WP_MINUTES)
        t.wMinute = 0;
    if (unit == WP_DAYS)
        t.wHour = 0;
    return LocalTimeToCount(t);
}

ULONGLONG MsUntil(const SYSTEMTIME& now, ULONGLONG next)
{
    ULONGLONG start = LocalTimeToCount(now);
    return next > start ? (next - start) / 10000ull : 0;
}

ULONGLONG ScheduleWPChange(const SYSTEMTIME& now, ULONGLONG planned, unsigned long unit,
                           unsigned long count)
{
    ULONGLONG start = LocalTimeToCount(now);
    if (planned > start && planned - start <= kEarlyTicks) {
        FILETIME ft;
        ft.dwLowDateTime = static_cast<DWORD>(planned);
        ft.dwHighDateTime = static_cast<DWORD>(planned >> 32);
        SYSTEMTIME base;
        if (FileTimeToSystemTime(&ft, &base))
            return NextWPChange(base, unit, count);
    }
    return NextWPChange(now, unit, count);
}

ULONGLONG ReplanWPChange(const SYSTEMTIME& now, ULONGLONG planned, unsigned long unit,
                         unsigned long count)
{
    ULONGLONG start = LocalTimeToCount(now);
    if (!planned || !start || planned <= start)
        return planned; // nothing planned, or a boundary passed that is due now
    // Seen from a clock set back, the planned boundary lies too far ahead.
    ULONGLONG fresh = NextWPChange(now, unit, count);
    return fresh && fresh < planned ? fresh : planned;
}

int IsWPChangeDue(const SYSTEMTIME& now, ULONGLONG planned)
{
    ULONGLONG start = LocalTimeToCount(now);
    return planned && start && planned <= start + kEarlyTicks;
}

UINT WPTimerLeg(ULONGLONG msLeft)
{
    if (msLeft > kMaxLegMs)
        return static_cast<UINT>(kMaxLegMs);
    return static_cast<UINT>(msLeft < USER_TIMER_MINIMUM ? USER_TIMER_MINIMUM : msLeft);
}
