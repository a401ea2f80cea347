// The wallpaper changer as the user meets it: a process of its own under the DLL runner,
// started once, changing the wallpaper at once and then at full minutes, holding back
// while a screen saver runs, storing its options when told to quit, and taken away by
// Uninstall.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <fstream>
#include <string>
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "base/CompanyMsg.h"
#include "base/Launch.h"
#include "base/Module.h"
#include "options/Opts.h"
#include "wallpaper/ChangeTime.h"

namespace {

DWORD RegDword(const char* name, DWORD def = 0xDEADBEEF)
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
    DWORD cb = sizeof(buf), type = 0;
    if (SHGetValueA(HKEY_CURRENT_USER, kRunKey, "VTWPChanger", &type, buf, &cb) != ERROR_SUCCESS || type != REG_SZ)
        return "";
    return buf;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Width and height in the header of a .BMP file; 0 x 0 when it is none.
SIZE BmpSize(const std::string& path)
{
    SIZE s = {0, 0};
    std::ifstream f(path, std::ios::binary);
    char h[54] = {};
    if (f.read(h, sizeof h) && h[0] == 'B' && h[1] == 'M') {
        memcpy(&s.cx, h + 18, 4);
        memcpy(&s.cy, h + 22, 4);
    }
    return s;
}

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

    // Starts the changer and waits for its window and its first wallpaper.
    DWORD Start()
    {
        lib.RunWPChanger(nullptr, 1);
        EXPECT_TRUE(WaitFor([] { return FindChanger() != nullptr; }, 30000));
        EXPECT_TRUE(WaitFor([&] { return Exists(bmp) && GetWallpaperSetting() == bmp; }, 30000));
        return ChangerPid();
    }
};

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

    // The DLL runner, with the product's library from its folder.
    EXPECT_TRUE(StrStrIA(ProcessImage(pid).c_str(), "rundll32.exe")) << ProcessImage(pid);
    EXPECT_EQ(0, lstrcmpiA(LongPath(ProcessModule(pid, "VNT32.dll")).c_str(), LongPath(lib.Path()).c_str()))
        << ProcessModule(pid, "VNT32.dll");
    const std::string cmd = ProcessCommandLine(pid);
    const std::string tail = " " + ShortPath(lib.Path()) + ",ManageWP";
    ASSERT_GT(cmd.size(), tail.size()) << cmd;
    EXPECT_EQ(tail, cmd.substr(cmd.size() - tail.size())) << cmd;
    EXPECT_EQ("RunDll32.exe " + ShortPath(lib.Path()) + ",ManageWP", RunValue());

    // The wallpaper: the desktop's size, in the temporary folder, named by the setting.
    RECT desk;
    GetClientRect(GetDesktopWindow(), &desk);
    SIZE size = BmpSize(bmp);
    EXPECT_EQ(desk.right, size.cx);
    EXPECT_EQ(desk.bottom, size.cy);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    EXPECT_EQ(std::string(temp) + "Vantora.BMP", bmp);
    EXPECT_EQ(bmp, GetWallpaperSetting());
    EXPECT_NE("4294967295/4294967295", WallpaperPosition());

    // A second start makes no second process.
    const int runners = CountProcesses("rundll32.exe");
    EXPECT_EQ(1, runners);
    lib.RunWPChanger(nullptr, 1);
    PumpMessages(3000);
    EXPECT_EQ(runners, CountProcesses("rundll32.exe"));
    EXPECT_EQ(pid, ChangerPid());
    // Started directly, as the autorun value does at logon, a second changer gives way.
    {
        ChildProcess second;
        ASSERT_TRUE(second.Start("rundll32.exe " + ShortPath(lib.Path()) + ",ManageWP"));
        EXPECT_TRUE(second.Wait(20000));
        EXPECT_EQ(pid, ChangerPid());
    }

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

    // The quit request ends the process; the options are stored, the count as 1.
    EXPECT_EQ(0u, RegDword("WP_count"));
    PostMessageA(FindChanger(), msg, 1, 6294);
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
    EXPECT_EQ(nullptr, FindChanger());
    EXPECT_EQ(1u, RegDword("WP_count"));
    EXPECT_EQ(0u, RegDword("WP_change"));
    // Stored with the changer on: the wallpaper stays.
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

    // Stopping a running changer: it quits, the value goes.
    DWORD pid = Start();
    ASSERT_NE(0u, pid);
    EXPECT_NE("", RunValue());
    lib.RunWPChanger(nullptr, 0);
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
    EXPECT_EQ("", RunValue());
    EXPECT_TRUE(Exists(bmp));

    // Uninstall with no changer running does nothing.
    lib.Uninstall();
    EXPECT_TRUE(Exists(bmp));
    EXPECT_EQ(bmp, GetWallpaperSetting());

    // Uninstall stops the changer, deletes the file and clears the wallpaper.
    pid = Start();
    ASSERT_NE(0u, pid);
    lib.Uninstall();
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
    EXPECT_FALSE(Exists(bmp));
    EXPECT_EQ("", GetWallpaperSetting());
    // The autorun value stays for the uninstaller to remove.
    EXPECT_EQ("RunDll32.exe " + ShortPath(lib.Path()) + ",ManageWP", RunValue());
}

// The DLL runner started for this program's own copy of the library: the entry runs in a
// process of its own, from that copy.
TEST_F(ChangerProcess, RunDll32StartsTheEntryOfThisLibrary)
{
    ASSERT_NE(0, RunDll32("ManageWP"));
    ASSERT_TRUE(WaitFor([] { return FindChanger() != nullptr; }, 30000));
    DWORD pid = ChangerPid();
    char own[MAX_PATH];
    GetModuleFileNameA(GetLibraryModule(), own, sizeof own);
    EXPECT_EQ(0, lstrcmpiA(LongPath(ProcessModule(pid, "VNT32.dll")).c_str(), LongPath(own).c_str()));
    const std::string cmd = ProcessCommandLine(pid);
    const std::string tail = " " + ShortPath(own) + ",ManageWP";
    ASSERT_GT(cmd.size(), tail.size()) << cmd;
    EXPECT_EQ(tail, cmd.substr(cmd.size() - tail.size())) << cmd;
    EXPECT_TRUE(StrStrIA(cmd.c_str(), "rundll32")) << cmd;
    // It makes its first change at once.
    EXPECT_TRUE(WaitFor([&] { return Exists(bmp); }, 30000));
    PostMessageA(FindChanger(), GetMyCompanyMsg(), 1, 6294);
    EXPECT_TRUE(WaitProcessEnd(pid, 20000));
}
