// The wallpaper changer as the user meets it: a process of its own under the DLL runner,
// started once, changing the wallpaper at once and then at full minutes, quitting on the
// request, started anew by a start that meets a changer still quitting, and taken away by
// Uninstall, which gives the user's own wallpaper back.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <atomic>
#include <string>
#include <thread>
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "base/CompanyMsg.h"
#include "options/Opts.h"
#include "wallpaper/ChangeTime.h"

static std::string ShortPathOf(const std::string& path)
{
    char buf[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof(buf));
    return n && n < sizeof(buf) ? std::string(buf) : path;
}

TEST(ChangerProcess, RunsOnceAtFullMinutesRestartsAfterAStopAndUninstalls)
{
    RealStateAside aside;
    ASSERT_TRUE(aside.bReady);
    BinLibrary lib;
    ASSERT_TRUE(lib.Ready()) << lib.path;
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
    lib.Uninstall();
    EXPECT_TRUE(WaitProcessEnd(second, 20000));
    EXPECT_FALSE(Exists(bmp));
    EXPECT_EQ(photo, DesktopValue());
    EXPECT_EQ("2", DesktopValue("WallpaperStyle"));
    EXPECT_EQ(runLine, RegString(kRunKey, "VTWPChanger"));
}
