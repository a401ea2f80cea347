#include "ChangerTestUtil.h"
#include <shlwapi.h>
#include <stdio.h>
#include <fstream>
#include <gtest/gtest.h>
#include "base/AppInfo.h"

const char kSettingsKey[] = "Software\\Corvane\\Vantora\\ControlPanel";
static const char kDesktopKey[] = "Control Panel\\Desktop";

DWORD RegDword(const char* name, DWORD def, const char* key)
{
    DWORD v = def, cb = sizeof(v), type = 0;
    if (SHGetValueA(HKEY_CURRENT_USER, key, name, &type, &v, &cb) != ERROR_SUCCESS || type != REG_DWORD)
        return def;
    return v;
}

void SetRegDword(const char* name, DWORD v, const char* key)
{
    SHSetValueA(HKEY_CURRENT_USER, key, name, REG_DWORD, &v, sizeof(v));
}

std::string RegString(const char* key, const char* name)
{
    char buf[1024] = "";
    DWORD cb = sizeof(buf) - 1, type = 0;
    if (SHGetValueA(HKEY_CURRENT_USER, key, name, &type, buf, &cb) != ERROR_SUCCESS || type != REG_SZ)
        return "";
    return buf;
}

void SetRegString(const char* key, const char* name, const std::string& v)
{
    if (v.empty())
        SHDeleteValueA(HKEY_CURRENT_USER, key, name);
    else
        SHSetValueA(HKEY_CURRENT_USER, key, name, REG_SZ, v.c_str(), static_cast<DWORD>(v.size() + 1));
}

std::string DesktopValue(const char* name)
{
    return RegString(kDesktopKey, name);
}

void SetDesktopWallpaper(const std::string& file, const std::string& style, const std::string& tile)
{
    SetRegString(kDesktopKey, "WallpaperStyle", style);
    SetRegString(kDesktopKey, "TileWallpaper", tile);
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(file.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

DesktopAside::DesktopAside()
    : wallpaper(DesktopValue()), style(DesktopValue("WallpaperStyle")), tile(DesktopValue("TileWallpaper"))
{
}

DesktopAside::~DesktopAside()
{
    SetDesktopWallpaper(wallpaper, style, tile);
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

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

size_t CountFiles(const std::string& dir)
{
    size_t n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
        n += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    return n;
}

void ExpectDesktopBmp(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    f.read(reinterpret_cast<char*>(&fh), sizeof fh).read(reinterpret_cast<char*>(&ih), sizeof ih);
    EXPECT_EQ(0x4D42, fh.bfType) << path;
    RECT r;
    GetClientRect(GetDesktopWindow(), &r);
    EXPECT_EQ(r.right, ih.biWidth);
    EXPECT_EQ(r.bottom, ih.biHeight);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), ih.biBitCount);
    ReleaseDC(nullptr, screen);
}

ULONGLONG TimeCount(const char* text)
{
    SYSTEMTIME t = {};
    FILETIME ft;
    if (sscanf(text, "%hu-%hu-%hu %hu:%hu:%hu.%hu", &t.wYear, &t.wMonth, &t.wDay, &t.wHour, &t.wMinute,
               &t.wSecond, &t.wMilliseconds) != 7 || !SystemTimeToFileTime(&t, &ft))
        return 0;
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

std::string TimeText(ULONGLONG n)
{
    FILETIME ft = {static_cast<DWORD>(n), static_cast<DWORD>(n >> 32)};
    SYSTEMTIME t;
    if (!n || !FileTimeToSystemTime(&ft, &t))
        return "none";
    char buf[64];
    wsprintfA(buf, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
              t.wSecond, t.wMilliseconds);
    return buf;
}
