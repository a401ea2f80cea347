#include "ChangerTestUtil.h"
#include <shlwapi.h>
#include <stdio.h>
#include <fstream>
#include <tlhelp32.h>
#include <gtest/gtest.h>
#include "TestUtil.h"
#include "base/AppInfo.h"
#include "options/Opts.h"

const char kSettingsKey[] = "Software\\Corvane\\Vantora\\ControlPanel";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char kDesktopKey[] = "Control Panel\\Desktop";
static const char kBackupKey[] = "Software\\VantoraTest\\ChangerBackup";

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

static void SetRegString(const char* key, const char* name, const std::string& v)
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

// Replaces the key to with a copy of from (none when from is missing).
static bool MoveKey(const char* from, const char* to)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, to);
    HKEY src = nullptr, dst = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &src) != ERROR_SUCCESS)
        return true;
    bool ok = RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dst, nullptr) ==
                  ERROR_SUCCESS &&
              SHCopyKeyA(src, nullptr, dst, 0) == ERROR_SUCCESS;
    RegCloseKey(src);
    if (dst)
        RegCloseKey(dst);
    return ok && SHDeleteKeyA(HKEY_CURRENT_USER, from) == ERROR_SUCCESS;
}

RealStateAside::RealStateAside() : runValue(RegString(kRunKey, "VTWPChanger"))
{
    EndStrayChangers();
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    bmpPath = path;
    bReady = MoveKey(kSettingsKey, kBackupKey) &&
             (!Exists(bmpPath) || MoveFileExA(path, (bmpPath + ".testbackup").c_str(), MOVEFILE_REPLACE_EXISTING));
}

RealStateAside::~RealStateAside()
{
    EndStrayChangers();
    MoveKey(kBackupKey, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
    SetRegString(kRunKey, "VTWPChanger", runValue);
    DeleteFileA(bmpPath.c_str());
    MoveFileA((bmpPath + ".testbackup").c_str(), bmpPath.c_str());
    // The library remembers its folder as the home folder; every start drops it anyway.
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\Corvane\\Vantora\\Setup", "Home");
}

BinLibrary::BinLibrary() : path(BinDir() + "\\VNT32.dll"), hLib(LoadLibraryA(path.c_str()))
{
    if (!hLib)
        return;
    pfnRunWPChanger = reinterpret_cast<void (*)(HWND, int)>(GetProcAddress(hLib, "_Z12RunWPChangerP6HWND__i"));
    pfnUninstall = reinterpret_cast<void(CALLBACK*)(HWND, HINSTANCE, char*, int)>(GetProcAddress(hLib, "Uninstall"));
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

HWND FindChanger()
{
    return FindWindowA("WPChangerWnd32", nullptr);
}

DWORD ChangerPid()
{
    DWORD pid = 0;
    if (HWND h = FindChanger())
        GetWindowThreadProcessId(h, &pid);
    return pid;
}

int CountProcesses(const char* exeName)
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    int n = 0;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof(pe);
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        n += lstrcmpiA(pe.szExeFile, exeName) == 0;
    CloseHandle(snap);
    return n;
}

bool WaitProcessEnd(DWORD pid, DWORD ms)
{
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    bool ended = !h || WaitFor([h] { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }, ms);
    if (h)
        CloseHandle(h);
    return ended;
}

void EndStrayChangers()
{
    for (DWORD pid; (pid = ChangerPid()) != 0;) {
        PostMessageA(FindChanger(), RegisterWindowMessageA("CorvaneMessage"), 1, 6294);
        if (WaitProcessEnd(pid, 10000))
            continue;
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!h)
            return;
        TerminateProcess(h, 1);
        WaitForSingleObject(h, 5000);
        CloseHandle(h);
    }
}
