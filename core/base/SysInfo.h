// The running system: family, library versions, time, drives.
#pragma once
#include <windows.h>
#include "VntApi.h"

VNT_API int WinNT();
VNT_API int Win2K();
VNT_API int WinXP();
VNT_API int WinNT4();
VNT_API int Win9x();
VNT_API int WinMe();
VNT_API int Win95();

// Version of a library (default "SHELL32") as major << 8 | minor; 4.0 when it reports none.
VNT_API unsigned short GetVerDll(const char* dll = nullptr, unsigned long* platform = nullptr,
                                 unsigned long* build = nullptr);
VNT_API unsigned short GetVerDll_ComCtl32();
// Seconds since 1995-12-26 00:00:00 UTC.
VNT_API unsigned long GetCurTime();
// The date of t (null: today, local time) in the packed DOS form.
VNT_API unsigned short GetDOSdate(SYSTEMTIME* t);

// Fewer than two of A: and B: are removable drives.
VNT_API int SingleFloppy();
VNT_API int IsDriveValid(const char* path);
