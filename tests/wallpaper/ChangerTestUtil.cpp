#include "ChangerTestUtil.h"
#include <shlwapi.h>
#include <fstream>
#include <tlhelp32.h>
#include <winternl.h>
#include <vector>
#include <gtest/gtest.h>
#include "TestUtil.h"
#include "options/Opts.h"

const char kSettingsKey[] = "Software\\Corvane\\Vantora\\ControlPanel";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

static bool CopyKey(const std::string& from, const std::string& to)
{
    HKEY src = nullptr, dst = nullptr;
    bool ok = RegOpenKeyExA(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &src) == ERROR_SUCCESS &&
              RegCreateKeyExA(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &dst, nullptr) == ERROR_SUCCESS &&
              SHCopyKeyA(src, nullptr, dst, 0) == ERROR_SUCCESS;
    if (src)
        RegCloseKey(src);
    if (dst)
        RegCloseKey(dst);
    return ok;
}

RealStateAside::RealStateAside()
    : backupKey("Software\\VantoraTest\\ChangerBackup_" + std::to_string(GetCurrentProcessId()))
{
    EndStrayChangers();
    SHDeleteKeyA(HKEY_CURRENT_USER, backupKey.c_str());
    HKEY key;
    bSettingsExisted = RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &key) == ERROR_SUCCESS;
    if (bSettingsExisted)
        RegCloseKey(key);
    bool saved = !bSettingsExisted ||
                 (CopyKey(kSettingsKey, backupKey) && SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey) == ERROR_SUCCESS);
    runValue = RunValue();
    wallpaper = GetWallpaperSetting();
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    bmpPath = path;
    bmpBackup = bmpPath + ".testbackup";
    DeleteFileA(bmpBackup.c_str());
    if (GetFileAttributesA(bmpPath.c_str()) != INVALID_FILE_ATTRIBUTES)
        saved = MoveFileA(bmpPath.c_str(), bmpBackup.c_str()) && saved;
    bReady = saved;
}

RealStateAside::~RealStateAside()
{
    EndStrayChangers();
    SHDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    if (bSettingsExisted)
        CopyKey(backupKey, kSettingsKey);
    SHDeleteKeyA(HKEY_CURRENT_USER, backupKey.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
    if (!runValue.empty())
        SHSetValueA(HKEY_CURRENT_USER, kRunKey, "VTWPChanger", REG_SZ, runValue.c_str(),
                    static_cast<DWORD>(runValue.size() + 1));
    else
        SHDeleteValueA(HKEY_CURRENT_USER, kRunKey, "VTWPChanger");
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(wallpaper.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    DeleteFileA(bmpPath.c_str());
    if (GetFileAttributesA(bmpBackup.c_str()) != INVALID_FILE_ATTRIBUTES)
        MoveFileA(bmpBackup.c_str(), bmpPath.c_str());
    // The library remembers its folder as the home folder; every start drops it anyway.
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\Corvane\\Vantora\\Setup", "Home");
}

BinLibrary::BinLibrary() : path(BinDir() + "\\VNT32.dll")
{
    hLib = LoadLibraryA(path.c_str());
    if (!hLib)
        return;
    pfnRunWPChanger = reinterpret_cast<void (*)(HWND, int)>(
        GetProcAddress(hLib, "_Z12RunWPChangerP6HWND__i"));
    pfnUninstall = reinterpret_cast<void(CALLBACK*)(HWND, HINSTANCE, char*, int)>(
        GetProcAddress(hLib, "Uninstall"));
}

BinLibrary::~BinLibrary()
{
    if (hLib)
        FreeLibrary(hLib);
}

DWORD RegDword(const char* name, DWORD def)
{
    DWORD v = def, cb = sizeof(v), type = 0;
    if (SHGetValueA(HKEY_CURRENT_USER, kSettingsKey, name, &type, &v, &cb) != ERROR_SUCCESS || type != REG_DWORD)
        return def;
    return v;
}

void SetRegDword(const char* name, DWORD v)
{
    SHSetValueA(HKEY_CURRENT_USER, kSettingsKey, name, REG_DWORD, &v, sizeof(v));
}

std::string RunValue()
{
    char buf[1024] = "";
    DWORD cb = sizeof(buf) - 1, type = 0;
    if (SHGetValueA(HKEY_CURRENT_USER, kRunKey, "VTWPChanger", &type, buf, &cb) != ERROR_SUCCESS || type != REG_SZ)
        return "";
    return buf;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

BITMAPINFOHEADER BmpHeader(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    if (!f.read(reinterpret_cast<char*>(&fh), sizeof fh) || fh.bfType != 0x4D42 ||
        !f.read(reinterpret_cast<char*>(&ih), sizeof ih))
        ih = {};
    return ih;
}

// The wallpaper is a picture of the desktop's size at the display's depth.
void ExpectDesktopBmp(const std::string& path)
{
    BITMAPINFOHEADER ih = BmpHeader(path);
    RECT r;
    GetClientRect(GetDesktopWindow(), &r);
    EXPECT_EQ(r.right, ih.biWidth);
    EXPECT_EQ(r.bottom, ih.biHeight);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), ih.biBitCount);
    ReleaseDC(nullptr, screen);
}

HWND FindChanger()
{
    return FindWindowA("WPChangerWnd32", nullptr);
}

DWORD ChangerPid()
{
    HWND h = FindChanger();
    DWORD pid = 0;
    if (h)
        GetWindowThreadProcessId(h, &pid);
    return pid;
}

int CountProcesses(const char* name)
{
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return -1;
    int n = 0;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof(pe);
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        if (lstrcmpiA(pe.szExeFile, name) == 0)
            n++;
    CloseHandle(snap);
    return n;
}

std::string ProcessCommandLine(DWORD pid)
{
    typedef LONG(WINAPI * QueryFn)(HANDLE, ULONG, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess"));
    HANDLE h = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    std::string result;
    PROCESS_BASIC_INFORMATION pbi = {};
    if (h && query && query(h, 0, &pbi, sizeof(pbi), nullptr) == 0 && pbi.PebBaseAddress) {
        // The process parameters hang off the environment block; the command line is a
        // counted wide string inside them.
        PEB peb;
        RTL_USER_PROCESS_PARAMETERS params;
        SIZE_T got = 0;
        if (ReadProcessMemory(h, pbi.PebBaseAddress, &peb, sizeof(peb), &got) &&
            ReadProcessMemory(h, peb.ProcessParameters, &params, sizeof(params), &got)) {
            std::vector<WCHAR> text(params.CommandLine.Length / 2 + 1, 0);
            if (ReadProcessMemory(h, params.CommandLine.Buffer, text.data(), params.CommandLine.Length, &got)) {
                char buf[2048] = "";
                WideCharToMultiByte(CP_ACP, 0, text.data(), -1, buf, sizeof(buf), nullptr, nullptr);
                result = buf;
            }
        }
    }
    if (h)
        CloseHandle(h);
    return result;
}

bool WaitProcessEnd(DWORD pid, DWORD ms)
{
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    if (!h)
        return true;
    bool ended = WaitFor([h] { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }, ms);
    CloseHandle(h);
    return ended;
}

void EndStrayChangers()
{
    for (int i = 0; i < 5; i++) {
        DWORD pid = ChangerPid();
        if (!pid)
            return;
        PostMessageA(FindChanger(), RegisterWindowMessageA("CorvaneMessage"), 1, 6294);
        if (WaitProcessEnd(pid, 10000))
            continue;
        HANDLE h = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (h) {
            TerminateProcess(h, 1);
            WaitForSingleObject(h, 5000);
            CloseHandle(h);
        }
    }
}

// The stored setting: the system's cached copy in this process does not follow changes
// that other processes make.
std::string GetWallpaperSetting()
{
    char buf[MAX_PATH] = "";
    DWORD cb = sizeof(buf), type = 0;
    if (SHGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", &type, buf, &cb) != ERROR_SUCCESS ||
        type != REG_SZ)
        return "";
    buf[sizeof(buf) - 1] = '\0';
    return buf;
}

ULONGLONG FileWriteLocal(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA fa;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fa))
        return 0;
    FILETIME local;
    FileTimeToLocalFileTime(&fa.ftLastWriteTime, &local);
    return (static_cast<ULONGLONG>(local.dwHighDateTime) << 32) | local.dwLowDateTime;
}

std::string ShortPath(const std::string& path)
{
    char buf[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof(buf));
    return n && n < sizeof(buf) ? std::string(buf) : path;
}
