// The wallpaper changer as the user meets it: a process of its own under the DLL runner,
// started once, changing the wallpaper at once and then at full minutes, quitting on the
// request, started anew by a start that meets a changer still quitting, and taken away by
// Uninstall, which gives the user's own wallpaper back.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <tlhelp32.h>
#include <atomic>
#include <string>
#include <thread>
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "base/CompanyMsg.h"
#include "options/Opts.h"
#include "wallpaper/ChangeTime.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kBackupKey[] = "Software\\VantoraTest\\ChangerBackup";

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

// Replaces the key to with a copy of from (none when from is missing).
bool MoveKey(const char* from, const char* to)
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

// What a changer process touches of the user's: settings key, autorun value, desktop
// wallpaper and wallpaper file, put aside and back; stray changers are ended.
struct RealStateAside {
    DesktopAside desktop;
    const std::string runValue = RegString(kRunKey, "VTWPChanger");
    std::string bmpPath;
    bool bReady;

    RealStateAside()
    {
        EndStrayChangers();
        char path[MAX_PATH];
        Opts::GetPathForBMP(path);
        bmpPath = path;
        bReady = MoveKey(kSettingsKey, kBackupKey) &&
                 (!Exists(bmpPath) || MoveFileExA(path, (bmpPath + ".testbackup").c_str(), MOVEFILE_REPLACE_EXISTING));
    }
    ~RealStateAside()
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
};

// VNT32.dll of the built product loaded from bin, so the changer it starts finds the
// sample image sets beside it.
struct BinLibrary {
    const std::string path = BinDir() + "\\VNT32.dll";
    const HMODULE hLib = LoadLibraryA(path.c_str());
    void (*const RunWPChanger)(HWND, int) =
        reinterpret_cast<void (*)(HWND, int)>(GetProcAddress(hLib, "_Z12RunWPChangerP6HWND__i"));
    void(CALLBACK* const Uninstall)(HWND, HINSTANCE, char*, int) =
        reinterpret_cast<void(CALLBACK*)(HWND, HINSTANCE, char*, int)>(GetProcAddress(hLib, "Uninstall"));
    ~BinLibrary() { FreeLibrary(hLib); }
};

std::string ShortPathOf(const std::string& path)
{
    char buf[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof(buf));
    return n && n < sizeof(buf) ? std::string(buf) : path;
}

} // namespace

TEST(ChangerProcess, RunsOnceAtFullMinutesRestartsAfterAStopAndUninstalls)
{
    RealStateAside aside;
    ASSERT_TRUE(aside.bReady);
    BinLibrary lib;
    ASSERT_TRUE(lib.RunWPChanger && lib.Uninstall) << lib.path;
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    const std::string bmp = path, runLine = "RunDll32.exe " + ShortPathOf(lib.path) + ",ManageWP";
    ScratchDir dir("vntuser");
    const std::string photo = dir / "Photo.bmp";
    ASSERT_TRUE(WriteFileBytes(photo, "BM", 2));
    SetDesktopWallpaper(photo, "2");
    // Changes every minute; a count of 0 counts as 1.
    SetRegDword("Options", OPT_SS_CHANGE | OPT_WP_CHANGE);
    SetRegDword("WP_change", 0);
    SetRegDword("WP_count", 0);

    // Stopping with no changer running only removes the autorun value.
    SHSetValueA(HKEY_CURRENT_USER, kRunKey, "VTWPChanger", REG_SZ, "x", 2);
    lib.RunWPChanger(nullptr, 0);
    EXPECT_EQ("", RegString(kRunKey, "VTWPChanger"));

    // Started: the DLL runner's process, the autorun value, our wallpaper at once.
    lib.RunWPChanger(nullptr, 1);
    ASSERT_TRUE(WaitFor([&] { return FindChanger() && DesktopValue() == bmp; }, 30000));
    const DWORD pid = ChangerPid();
    EXPECT_EQ(1, CountProcesses("rundll32.exe"));
    EXPECT_EQ(runLine, RegString(kRunKey, "VTWPChanger"));
    ExpectDesktopBmp(bmp);
    // A second start makes no second process; one started directly, as the autorun value
    // does at logon, gives way.
    lib.RunWPChanger(nullptr, 1);
    PumpMessages(3000);
    EXPECT_EQ(1, CountProcesses("rundll32.exe"));
    ChildProcess direct;
    ASSERT_TRUE(direct.Start(runLine));
    EXPECT_TRUE(direct.Wait(20000));
    EXPECT_EQ(pid, ChangerPid());

    // The next change comes at the next full minute, not before: the picture sequence moves.
    const DWORD position = RegDword("WP_LastPic") ^ (RegDword("WP_LastSet") << 8);
    SYSTEMTIME now;
    GetLocalTime(&now);
    const ULONGLONG boundary = NextWPChange(now, WP_MINUTES, 1);
    ASSERT_TRUE(WaitFor([&] { return (RegDword("WP_LastPic") ^ (RegDword("WP_LastSet") << 8)) != position; }, 75000));
    GetLocalTime(&now);
    EXPECT_GE(LocalTimeToCount(now), boundary);
    EXPECT_LT(LocalTimeToCount(now), boundary + 10000ull * 5000);

    // Other values of the quit request are ignored.
    PostMessageA(FindChanger(), GetMyCompanyMsg(), 1, 6293);
    PostMessageA(FindChanger(), GetMyCompanyMsg(), 2, 6294);
    EXPECT_FALSE(WaitProcessEnd(pid, 3000));

    // The settings stop the changer when they open and start it when they close; a changer
    // busy with a change (its thread held here) is still there when the start comes.
    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(FindChanger(), nullptr));
    ASSERT_NE(static_cast<DWORD>(-1), SuspendThread(thread));
    lib.RunWPChanger(nullptr, 0);
    std::atomic<bool> started(false);
    std::thread start([&] {
        lib.RunWPChanger(nullptr, 1);
        started = true;
    });
    WaitFor([&] { return started.load(); }, 3000); // a start that does not wait is back here
    ResumeThread(thread);
    CloseHandle(thread);
    start.join();
    // The old one stored its options as it quit, the count as 1; a new one runs.
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
    EXPECT_EQ(1u, RegDword("WP_count"));
    EXPECT_TRUE(WaitFor([&] { return ChangerPid() != 0 && ChangerPid() != pid; }, 30000));
    EXPECT_TRUE(WaitFor([&] { return DesktopValue() == bmp; }, 30000));

    // Uninstall stops the changer, gives the user's wallpaper back and deletes ours; the
    // autorun value stays for the uninstaller to remove.
    const DWORD second = ChangerPid();
    lib.Uninstall(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_TRUE(WaitProcessEnd(second, 20000));
    EXPECT_FALSE(Exists(bmp));
    EXPECT_EQ(photo, DesktopValue());
    EXPECT_EQ("2", DesktopValue("WallpaperStyle"));
    EXPECT_EQ(runLine, RegString(kRunKey, "VTWPChanger"));
}
