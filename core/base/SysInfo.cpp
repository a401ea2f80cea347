#include "base/SysInfo.h"
#include <shlwapi.h>
#include <time.h>
#include "base/FwLibrary.h"

static OSVERSIONINFOA GetOsVersion()
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof(vi);
    if (!GetVersionExA(&vi))
        vi.dwPlatformId = VER_PLATFORM_WIN32_NT;
    return vi;
}

int WinNT()
{
    return GetOsVersion().dwPlatformId == VER_PLATFORM_WIN32_NT;
}

int Win2K()
{
    OSVERSIONINFOA vi = GetOsVersion();
    return vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion >= 5;
}

int WinXP()
{
    OSVERSIONINFOA vi = GetOsVersion();
    return vi.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (vi.dwMajorVersion > 5 || (vi.dwMajorVersion == 5 && vi.dwMinorVersion != 0));
}

int WinNT4()
{
    OSVERSIONINFOA vi = GetOsVersion();
    return vi.dwPlatformId == VER_PLATFORM_WIN32_NT && vi.dwMajorVersion == 4;
}

int Win9x()
{
    return GetOsVersion().dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
}

int WinMe()
{
    return Win9x() && GetVerDll() >= 0x500;
}

int Win95()
{
    OSVERSIONINFOA vi = GetOsVersion();
    return vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && vi.dwMajorVersion == 4 &&
           vi.dwMinorVersion == 0;
}

unsigned short GetVerDll(const char* dll, unsigned long* platform, unsigned long* build)
{
    // LoadLibrary of a module the process has only counts it once more.
    FwLibrary lib(dll ? dll : "SHELL32");
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof(info);
    DLLGETVERSIONPROC getVersion =
        reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(lib.GetProc("DllGetVersion")));
    if (getVersion && FAILED(getVersion(&info)))
        info = DLLVERSIONINFO();
    if (!info.dwMajorVersion && !info.dwMinorVersion)
        info.dwMajorVersion = 4;
    if (platform)
        *platform = info.dwPlatformID;
    if (build)
        *build = info.dwBuildNumber;
    return static_cast<unsigned short>(((info.dwMajorVersion & 0xFF) << 8) | (info.dwMinorVersion & 0xFF));
}

unsigned short GetVerDll_ComCtl32()
{
    static unsigned short s_version = 0;
    if (!s_version)
        s_version = GetVerDll("COMCTL32");
    return s_version;
}

unsigned long GetCurTime()
{
    return static_cast<unsigned long>(time(nullptr)) - 819936000ul;
}

unsigned short GetDOSdate(SYSTEMTIME* t)
{
    SYSTEMTIME now;
    if (!t) {
        GetLocalTime(&now);
        t = &now;
    }
    return static_cast<unsigned short>(((t->wYear - 1980) << 9) | (t->wMonth << 5) | t->wDay);
}

int SingleFloppy()
{
    int removable = (GetDriveTypeA("A:\\") == DRIVE_REMOVABLE) + (GetDriveTypeA("B:\\") == DRIVE_REMOVABLE);
    return removable < 2;
}

int IsDriveValid(const char* path)
{
    if (!path || !path[0] || path[1] != ':')
        return 0;
    char root[4] = {path[0], ':', '\\', '\0'};
    UINT type = GetDriveTypeA(root);
    return type != DRIVE_UNKNOWN && type != DRIVE_NO_ROOT_DIR;
}
