// The wallpaper changer as a process of its own under the DLL runner, from its first start
// to Uninstall.
#include <gtest/gtest.h>
#include <windows.h>
#include <tlhelp32.h>
#include <atomic>
#include <thread>
#include "ChangerTestUtil.h"
#include "base/CompanyMsg.h"
#include "base/FwHandle.h"
#include "base/MyMutex.h"
#include "options/Opts.h"

static int CountProcesses(const char* exeName)
{
    FwHandle snap(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 pe = {sizeof(pe)};
    int n = 0;
    for (BOOL ok = Process32First(snap, &pe); ok; ok = Process32Next(snap, &pe))
        n += lstrcmpiA(pe.szExeFile, exeName) == 0;
    return n;
}

TEST(ChangerProcess, StartedOnceQuitsOnRequestRestartsAfterAStopAndUninstalls)
{
    RealStateAside aside;
    ASSERT_TRUE(aside.Ready());
    BinLibrary lib;
    ASSERT_TRUE(lib.Ready()) << lib.path;
    char shortPath[MAX_PATH];
    ASSERT_TRUE(GetShortPathNameA(lib.path.c_str(), shortPath, MAX_PATH));
    const std::string bmp = BmpPath(), runLine = "RunDll32.exe " + std::string(shortPath) + ",ManageWP";
    ScratchDir dir("vntuser");
    const std::string photo = dir / "Photo.bmp";
    ASSERT_TRUE(WriteFileBytes(photo, "BM", 2));
    SetDesktopWallpaper(photo, "2");
    RawSetDword(kSettingsKey, "Options", OPT_SS_CHANGE | OPT_WP_CHANGE);
    RawSetDword(kSettingsKey, "WP_change", 0); // every minute: a count of 0 counts as 1
    RawSetDword(kSettingsKey, "WP_count", 0);
    // Stopping with no changer running only removes the autorun value.
    SetRegString(kRunKey, "VTWPChanger", "x");
    lib.RunWPChanger(nullptr, 0);
    EXPECT_EQ("", RunValue());
    // A changer that died holding the one-changer lock stops no later one.
    MyMutex lock(0, "Corvane_VTWPChanger");
    std::thread([] { MyMutex(0, "Corvane_VTWPChanger").Wait(0); }).join();
    // Started: the DLL runner's process, the autorun value, our wallpaper at once.
    lib.RunWPChanger(nullptr, 1);
    ASSERT_TRUE(WaitFor([&] { return FindChanger() && DesktopValue() == bmp; }));
    const HWND changer = FindChanger();
    EXPECT_EQ(runLine, RunValue());
    // A second start makes no second process; one started directly, as at logon, gives way.
    lib.RunWPChanger(nullptr, 1);
    EXPECT_EQ(1, CountProcesses("rundll32.exe"));
    ChildProcess direct;
    ASSERT_TRUE(direct.Start(runLine));
    // Quit requests with other values are ignored.
    for (WPARAM w : {1, 2}) {
        DWORD_PTR r;
        SendMessageTimeoutA(changer, GetMyCompanyMsg(), w, w == 1 ? 6293 : 6294, SMTO_NORMAL, 10000, &r);
        EXPECT_TRUE(IsWindow(changer)) << w;
    }
    EXPECT_TRUE(direct.Wait(20000));
    EXPECT_EQ(changer, FindChanger());
    // The settings stop the changer as they open and start it as they close; a start that
    // meets it still busy (its thread held here) waits for it to go.
    FwHandle thread(OpenThread(THREAD_SUSPEND_RESUME, FALSE, GetWindowThreadProcessId(changer, nullptr)));
    ASSERT_NE(static_cast<DWORD>(-1), SuspendThread(thread));
    lib.RunWPChanger(nullptr, 0);
    std::atomic<bool> started(false);
    std::thread start([&] { lib.RunWPChanger(nullptr, 1); started = true; });
    EXPECT_FALSE(WaitFor([&] { return started.load(); }, 1000)) << "a start that does not wait";
    ResumeThread(thread);
    start.join();
    // The old one wrote nothing back as it quit (it holds the count of 0 as 1); a new one runs.
    EXPECT_FALSE(IsWindow(changer));
    EXPECT_EQ(0u, RegDword("WP_count"));
    EXPECT_TRUE(WaitFor([&] { return FindChanger() && FindChanger() != changer; }));
    // Uninstall stops the changer, gives the user's wallpaper back and deletes ours; the
    // autorun value stays for the uninstaller.
    lib.Uninstall(nullptr, nullptr, nullptr, SW_SHOWNORMAL);
    EXPECT_EQ(nullptr, FindChanger());
    EXPECT_FALSE(Exists(bmp));
    EXPECT_EQ(photo, DesktopValue());
    EXPECT_EQ("2", DesktopValue("WallpaperStyle"));
    EXPECT_EQ(runLine, RunValue());
}
