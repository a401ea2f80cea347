// The running system's family, for the path and picker functions (not exported).
#pragma once
#include <windows.h>

namespace OsVersion {

// The NT family (Windows NT, 2000, XP and later).
inline bool IsNT()
{
    return (GetVersion() & 0x80000000u) == 0;
}

// Windows 2000 or later.
inline bool IsWin2KOrLater()
{
    return IsNT() && LOBYTE(LOWORD(GetVersion())) >= 5;
}

} // namespace OsVersion
