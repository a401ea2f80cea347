#include "ChangerTestUtil.h"
#include <stdio.h>
#include <vector>
#include <gtest/gtest.h>
#include "base/AppInfo.h"
#include "base/CompanyMsg.h"
#include "options/Opts.h"

const char kSettingsKey[] = "Software\\Corvane\\Vantora\\ControlPanel";
static const char kDesktopKey[] = "Control Panel\\Desktop";

DWORD RegDword(const char* name, DWORD def, const char* key)
{
    RawValue v = RawGet(key, name);
    return v.type == REG_DWORD && v.bytes.size() == 4 ? *reinterpret_cast<const DWORD*>(v.bytes.data()) : def;
}

void SetRegString(const char* key, const char* name, const std::string& v)
{
    if (v.empty())
        SHDeleteValueA(HKEY_CURRENT_USER, key, name);
    else
        RawSetStr(key, name, v.c_str());
}

void SetDesktopWallpaper(const std::string& file, const std::string& style, const std::string& tile)
{
    SetRegString(kDesktopKey, "WallpaperStyle", style);
    SetRegString(kDesktopKey, "TileWallpaper", tile);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(file.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

PrivateSettings::PrivateSettings()
    : sub("Software\\VantoraTest\\wp_" + std::to_string(GetCurrentProcessId())),
      identity(new AppInfo(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora", "VNT.hlp", 0, 0))
{
    SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
    identity->SetAppRootKey(("HKCU\\" + sub).c_str());
}

PrivateSettings::~PrivateSettings()
{
    identity.reset();
    SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
}

std::string BmpPath()
{
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    return path;
}

SYSTEMTIME At(const char* text)
{
    SYSTEMTIME t = {};
    sscanf(text, "%hu-%hu-%hu %hu:%hu:%hu.%hu", &t.wYear, &t.wMonth, &t.wDay, &t.wHour, &t.wMinute, &t.wSecond,
           &t.wMilliseconds);
    return t;
}

void ExpectDesktopBmp(const std::string& path)
{
    HANDLE bmp = LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    BITMAP bm = {};
    EXPECT_TRUE(GetObjectA(bmp, sizeof bm, &bm)) << path;
    DeleteObject(bmp);
    HDC screen = GetDC(nullptr);
    const std::vector<int> want = {GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN),
                                   GetDeviceCaps(screen, BITSPIXEL)};
    EXPECT_EQ(want, (std::vector<int>{bm.bmWidth, bm.bmHeight, bm.bmBitsPixel})) << path;
    ReleaseDC(nullptr, screen);
}

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char kBackupKey[] = "Software\\VantoraTest\\ChangerBackup";

// Replaces the key to with a copy of from (none when from is missing).
static bool MoveKey(const char* from, const char* to)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, to);
    RawKey src(from, HKEY_CURRENT_USER, false);
    if (!src.h)
        return true;
    RawKey dst(to, HKEY_CURRENT_USER, true);
    return dst.h && !SHCopyKeyA(src.h, nullptr, dst.h, 0) && !SHDeleteKeyA(HKEY_CURRENT_USER, from);
}

void EndStrayChangers()
{
    for (HWND h; (h = FindChanger()) != nullptr;)
        if (!PostMessageA(h, GetMyCompanyMsg(), 1, 6294) || !WaitFor([h] { return !IsWindow(h); }))
            return;
}

RealStateAside::RealStateAside() : runValue(RunValue()), bmp(BmpPath())
{
    EndStrayChangers();
    bReady = MoveKey(kSettingsKey, kBackupKey) &&
             (!Exists(bmp) || MoveFileExA(bmp.c_str(), (bmp + ".keep").c_str(), MOVEFILE_REPLACE_EXISTING));
}

RealStateAside::~RealStateAside()
{
    EndStrayChangers();
    MoveKey(kBackupKey, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
    SetRegString(kRunKey, "VTWPChanger", runValue);
    DeleteFileA(bmp.c_str());
    MoveFileA((bmp + ".keep").c_str(), bmp.c_str());
    // The library loaded from bin remembered that folder as its home.
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\Corvane\\Vantora\\Setup", "Home");
}
