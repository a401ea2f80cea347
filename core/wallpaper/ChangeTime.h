// When the wallpaper changes next: count units (minutes, hours or days) after now, cut
// back to the start of that minute, hour or day. Times are local calendar times counted
// in 100-nanosecond units like a FILETIME, without any time-zone conversion. Pure
// functions of their arguments, so the schedule can be checked without a clock.
#pragma once
#include <windows.h>
#include "VntApi.h"

enum WPUnit : unsigned long { WP_MINUTES = 0, WP_HOURS = 1, WP_DAYS = 2 };

// A unit other than minutes, hours or days counts as hours, the default unit.
VNT_API unsigned long WPUnitOf(unsigned long unit);
VNT_API unsigned long WPUnitSeconds(unsigned long unit);
// The local time as a 100-ns count; 0 when it is not a valid calendar time.
VNT_API ULONGLONG LocalTimeToCount(const SYSTEMTIME& t);
// The next change after now: now + count units (0 counts as 1), with the parts below
// the unit set to 0. 0 when now is not a valid calendar time.
VNT_API ULONGLONG NextWPChange(const SYSTEMTIME& now, unsigned long unit, unsigned long count);
// The change after the one planned for planned (0: none planned), seen at now: a timer
// that fires up to two seconds before its boundary counts from that boundary, so the
// boundary does not come round again at once.
VNT_API ULONGLONG ScheduleWPChange(const SYSTEMTIME& now, ULONGLONG planned, unsigned long unit,
                                   unsigned long count);
// Milliseconds from now to the time next (a 100-ns count), rounded down; 0 when next is
// not later than now.
VNT_API ULONGLONG MsUntil(const SYSTEMTIME& now, ULONGLONG next);

// The boundary to wait for once the clock may have moved (a tick, a change of the system
// time, a resume): one that has passed stays, to be changed at once; one that a clock set
// back has put too far ahead becomes the next boundary seen from now. 0 stays 0.
VNT_API ULONGLONG ReplanWPChange(const SYSTEMTIME& now, ULONGLONG planned, unsigned long unit,
                                 unsigned long count);
// Whether a tick at now is the change planned for planned: up to two seconds early counts
// as on time; earlier, the timer is only re-armed.
VNT_API int IsWPChangeDue(const SYSTEMTIME& now, ULONGLONG planned);
// The elapse of the next timer leg for a change msLeft milliseconds away: the time left,
// at least the system's minimum and at most an hour (the window re-plans at each tick).
VNT_API UINT WPTimerLeg(ULONGLONG msLeft);
