// The wallpaper changer as the user meets it: a process of its own under the DLL runner,
// started once, changing the wallpaper at once and then at full minutes, holding back
// while a screen saver runs, storing its options when told to quit, and taken away by
// Uninstall.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <string>
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "base/CompanyMsg.h"
#include "base/Launch.h"
#include "base/Module.h"
#include "options/Opts.h"
#include "wallpaper/ChangeTime.h"

namespace {

class ChangerProcess : public ::testing::Test {
protected:
    RealStateAside aside;
    BinLibrary lib;
    std::string bmp;

    void SetUp() override
    {
        ASSERT_TRUE(aside.Ready());
        ASSERT_TRUE(lib.Ready()) << lib.Path();
        ASSERT_EQ(nullptr, FindChanger());
        char path[MAX_PATH];
        Opts::GetPathForBMP(path);
        bmp = path;
        ASSERT_FALSE(Exists(bmp));
        // Changes every minute; a count of 0 counts as 1.
        SetRegDword("Options", OPT_SS_CHANGE | OPT_SS_GRADUAL | OPT_WP_CHANGE);
        SetRegDword("WP_change", 0);
        SetRegDword("WP_count", 0);
    }

    // Waits for the changer's window and its first wallpaper.
    DWORD WaitStarted()
    {
        EXPECT_TRUE(WaitFor([] { return FindChanger() != nullptr; }, 30000));
        EXPECT_TRUE(WaitFor([&] { return Exists(bmp) && GetWallpaperSetting() == bmp; }, 30000));
        return ChangerPid();
    }
    DWORD Start()
    {
        lib.RunWPChanger(nullptr, 1);
        return WaitStarted();
    }
};

// The process runs under the DLL runner, for the entry of the library at libPath.
void ExpectRunnerOf(DWORD pid, const std::string& libPath)
{
    const std::string cmd = ProcessCommandLine(pid);
    const std::string tail = " " + ShortPath(libPath) + ",ManageWP";
    EXPECT_TRUE(StrStrIA(cmd.c_str(), "rundll32")) << cmd;
    ASSERT_GT(cmd.size(), tail.size()) << cmd;
    EXPECT_EQ(tail, cmd.substr(cmd.size() - tail.size())) << cmd;
}

// The position in the wallpaper's picture sequence; it moves at every change.
std::string WallpaperPosition()
{
    return std::to_string(RegDword("WP_LastSet")) + "/" + std::to_string(RegDword("WP_LastPic"));
}

} // namespace

TEST_F(ChangerProcess, RunsOnceChangesAtFullMinutesAndQuitsOnRequest)
{
    DWORD pid = Start();
    ASSERT_NE(0u, pid);
    ExpectRunnerOf(pid, lib.Path());
    EXPECT_EQ("RunDll32.exe " + ShortPath(lib.Path()) + ",ManageWP", RunValue());

    // The wallpaper: the desktop's size, in the temporary folder, named by the setting.
    ExpectDesktopBmp(bmp);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    EXPECT_EQ(std::string(temp) + "Vantora.BMP", bmp);
    EXPECT_EQ(bmp, GetWallpaperSetting());
    EXPECT_NE("4294967295/4294967295", WallpaperPosition());

    // A second start makes no second process; one started directly, as the autorun value
    // does at logon, gives way.
    EXPECT_EQ(1, CountProcesses("rundll32.exe"));
    lib.RunWPChanger(nullptr, 1);
    PumpMessages(3000);
    EXPECT_EQ(1, CountProcesses("rundll32.exe"));
    ChildProcess direct;
    ASSERT_TRUE(direct.Start("rundll32.exe " + ShortPath(lib.Path()) + ",ManageWP"));
    EXPECT_TRUE(direct.Wait(20000));
    EXPECT_EQ(pid, ChangerPid());

    // The next change comes at the next full minute, not before.
    ULONGLONG first = FileWriteLocal(bmp);
    ASSERT_NE(0u, first);
    SYSTEMTIME now;
    GetLocalTime(&now);
    ULONGLONG boundary = NextWPChange(now, WP_MINUTES, 1);
    ASSERT_TRUE(WaitFor([&] { return FileWriteLocal(bmp) != first; }, 75000));
    ULONGLONG second = FileWriteLocal(bmp);
    EXPECT_GE(second + 10000 * 50, boundary); // file times may be a little coarse
    EXPECT_LT(second, boundary + 10000ull * 5000);

    // Other values of the quit request are ignored.
    const unsigned msg = GetMyCompanyMsg();
    PostMessageA(FindChanger(), msg, 1, 6293);
    PostMessageA(FindChanger(), msg, 2, 6294);
    EXPECT_FALSE(WaitProcessEnd(pid, 3000));
    EXPECT_EQ(pid, ChangerPid());

    // The quit request ends the process; the options are stored, the count as 1, and with
    // the changer on the wallpaper stays.
    EXPECT_EQ(0u, RegDword("WP_count"));
    PostMessageA(FindChanger(), msg, 1, 6294);
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
    EXPECT_EQ(nullptr, FindChanger());
    EXPECT_EQ(1u, RegDword("WP_count"));
    EXPECT_EQ(0u, RegDword("WP_change"));
    EXPECT_TRUE(Exists(bmp));
    EXPECT_EQ(bmp, GetWallpaperSetting());
}

TEST_F(ChangerProcess, HoldsBackWhileAScreenSaverRuns)
{
    SetRegDword("WP_change", 2); // the next boundary is far away: only the test's ticks count
    SetRegDword("WP_count", 1);
    DWORD pid = Start();
    ASSERT_NE(0u, pid);
    HWND changer = FindChanger();
    const std::string before = WallpaperPosition();
    const ULONGLONG written = FileWriteLocal(bmp);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "WindowsScreenSaverClass";
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND saver = CreateWindowA(wc.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               wc.hInstance, nullptr);
    ASSERT_TRUE(saver);

    // The change timer fires while the saver's window exists: no change.
    PostMessageA(changer, WM_TIMER, 1, 0);
    PumpMessages(3000);
    EXPECT_EQ(before, WallpaperPosition());
    EXPECT_EQ(written, FileWriteLocal(bmp));

    // Once the saver is gone, the next tick changes the wallpaper.
    DestroyWindow(saver);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
    PostMessageA(changer, WM_TIMER, 1, 0);
    EXPECT_TRUE(WaitFor([&] { return WallpaperPosition() != before; }, 20000));
    EXPECT_TRUE(WaitFor([&] { return FileWriteLocal(bmp) != written; }, 20000));
    EXPECT_EQ(pid, ChangerPid());
}

TEST_F(ChangerProcess, StopRemovesTheAutorunValueAndUninstallClearsTheWallpaper)
{
    // Stopping with no changer running only removes the autorun value.
    SHSetValueA(HKEY_CURRENT_USER, kRunKey, "VTWPChanger", REG_SZ, "x", 2);
    lib.RunWPChanger(nullptr, 0);
    EXPECT_EQ("", RunValue());

    // The DLL runner started for this program's own copy of the library runs the entry in
    // a process of its own, from that copy. Stopping it: it quits, the wallpaper stays.
    ASSERT_NE(0, RunDll32("ManageWP"));
    DWORD pid = WaitStarted();
    ASSERT_NE(0u, pid);
    char own[MAX_PATH];
    GetModuleFileNameA(GetLibraryModule(), own, sizeof own);
    ExpectRunnerOf(pid, own);
    lib.RunWPChanger(nullptr, 0);
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
    EXPECT_EQ("", RunValue());
    EXPECT_TRUE(Exists(bmp));

    // Uninstall stops the changer, deletes the file and clears the wallpaper; the autorun
    // value stays for the uninstaller to remove.
    pid = Start();
    ASSERT_NE(0u, pid);
    lib.Uninstall();
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
    EXPECT_FALSE(Exists(bmp));
    EXPECT_EQ("", GetWallpaperSetting());
    EXPECT_EQ("RunDll32.exe " + ShortPath(lib.Path()) + ",ManageWP", RunValue());
}
