// VantoraSetup.exe and its uninstaller, run silently the way an administrator would, in a
// Wine prefix of their own (run-in-own-prefix): what setup installs and registers, that the
// installed program shows the installed pictures and starts its changer, that installing
// again keeps the user's settings and pictures, and that the uninstaller leaves nothing of
// Vantora behind but the pictures the user added.
#include <windows.h>
#include <shlwapi.h>
#include <gtest/gtest.h>
#include "Installation.h"
#include "TestUtil.h"

namespace {

TEST(Installer, InstallsRunsAndUninstallsCleanly)
{
    InstallDir dir;
    ASSERT_EQ(0, RunSetup(dir.path));

    // Every product file of the build, sample pictures included, is installed.
    std::vector<std::string> files = ProductFiles();
    EXPECT_GT(files.size(), 10u);
    for (const std::string& file : files)
        EXPECT_TRUE(FileExists(dir / file)) << file;
    EXPECT_TRUE(FileExists(dir / "Uninstall.exe"));

    struct Link {
        const char* name;
        std::string target;
        const char* args;
    } links[] = {{"Vantora Settings.lnk", dir / "Vantora.scr", "/c"},
                 {"Vantora ReadMe.lnk", dir / "ReadMe.txt", ""}};
    for (const Link& link : links) {
        std::string target, args;
        EXPECT_TRUE(ReadShortcut(CommonPrograms() + "\\Vantora\\" + link.name, target, args)) << link.name;
        EXPECT_EQ(0, lstrcmpiA(link.target.c_str(), target.c_str())) << target;
        EXPECT_EQ(link.args, args);
    }

    // Name, version and publisher as the installed program's version resource gives them.
    struct Entry {
        const char* name;
        std::string value;
    } entries[] = {{"DisplayName", VersionText(dir / "Vantora.scr", "ProductName")},
                   {"DisplayVersion", VersionText(dir / "Vantora.scr", "ProductVersion")},
                   {"Publisher", VersionText(dir / "Vantora.scr", "CompanyName")},
                   {"DisplayIcon", dir / "Vantora.scr,0"},
                   {"UninstallString", "\"" + (dir / "Uninstall.exe") + "\""},
                   {"QuietUninstallString", "\"" + (dir / "Uninstall.exe") + "\" /S"}};
    for (const Entry& e : entries) {
        EXPECT_FALSE(e.value.empty()) << e.name;
        EXPECT_EQ(e.value, RegString(HKEY_LOCAL_MACHINE, kUninstallKey, e.name)) << e.name;
    }
    // Size in KB: the two sample sets alone are several megabytes.
    EXPECT_GT(RegDword(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize", 0), 1000u);

    // The installed saver shows a photograph of the installed sets: many colours mid-screen.
    {
        ChildProcess saver;
        ASSERT_TRUE(StartSaver(saver, "/s", dir.path));
        EXPECT_TRUE(WaitFor([&] { return FindProcessWindow(saver.Id(), "WindowsScreenSaverClass") != nullptr; }));
        EXPECT_TRUE(WaitFor([] { return ScreenColours() > 40; })) << ScreenColours();
        PostMessageA(FindProcessWindow(saver.Id(), "WindowsScreenSaverClass"), WM_CLOSE, 0, 0);
        EXPECT_TRUE(saver.Wait());
    }

    ASSERT_TRUE(StartChangerFrom(dir / "VNT32.dll"));
    EXPECT_TRUE(WaitFor([] { return ChangerWindows().size() == 1; }));
    EXPECT_EQ("RunDll32.exe " + ShortPathOf(dir / "VNT32.dll") + ",ManageWP",
              RegString(HKEY_CURRENT_USER, kRunKey, "VTWPChanger"));
    EXPECT_TRUE(WaitFor([] { return RegString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper") == WallpaperBmp(); }));
    // The display settings made this copy the active screen saver.
    SHSetValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", REG_SZ, (dir / "Vantora.scr").c_str(),
                static_cast<DWORD>((dir / "Vantora.scr").size() + 1));

    ASSERT_TRUE(RunUninstaller(dir.path));
    ExpectNothingLeft(dir.path);
    EXPECT_FALSE(FileExists(dir.path));
    EXPECT_EQ("", RegString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"));
}

TEST(Installer, InstallingAgainKeepsSettingsAndUserPictures)
{
    InstallDir dir;
    ASSERT_EQ(0, RunSetup(dir.path));

    // The user's own set, a picture added to a sample set, a setting, a running changer and
    // another program as the active screen saver.
    const char* userPictures[] = {"Images\\Mine\\01_My_Garden.jpg", "Images\\Flowers\\42_My_Rose.jpg"};
    ASSERT_TRUE(CreateDirectoryA((dir / "Images\\Mine").c_str(), nullptr));
    for (const char* picture : userPictures)
        ASSERT_TRUE(CopyFileA((dir / "Images\\Flowers\\01_Fresh_Flower.jpg").c_str(), (dir / picture).c_str(), FALSE));
    DWORD timeOut = 25;
    ASSERT_EQ(ERROR_SUCCESS,
              SHSetValueA(HKEY_CURRENT_USER, kSettingsKey, "SS_TimeOut", REG_DWORD, &timeOut, sizeof(timeOut)));
    const char otherSaver[] = "C:\\windows\\system32\\other.scr";
    SHSetValueA(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE", REG_SZ, otherSaver, sizeof(otherSaver));
    ASSERT_TRUE(StartChangerFrom(dir / "VNT32.dll"));
    ASSERT_TRUE(WaitFor([] { return ChangerWindows().size() == 1; }));
    DWORD oldChanger = WindowProcess(ChangerWindows()[0]);

    ASSERT_EQ(0, RunSetup(dir.path));
    for (const char* picture : userPictures)
        EXPECT_TRUE(FileExists(dir / picture)) << picture;
    EXPECT_EQ(timeOut, RegDword(HKEY_CURRENT_USER, kSettingsKey, "SS_TimeOut"));
    // The old changer was stopped before its library was replaced, and one new one runs.
    ASSERT_TRUE(WaitFor([&] {
        std::vector<HWND> changers = ChangerWindows();
        return changers.size() == 1 && WindowProcess(changers[0]) != oldChanger;
    })) << ChangerWindows().size();

    // A changer that has quit leaves its last wallpaper, which the uninstaller removes too.
    PostMessageA(ChangerWindows()[0], RegisterWindowMessageA("CorvaneMessage"), 1, 6294);
    ASSERT_TRUE(WaitFor([&] { return ChangerWindows().empty(); }));
    ASSERT_EQ(WallpaperBmp(), RegString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper"));

    ASSERT_TRUE(RunUninstaller(dir.path));
    ExpectNothingLeft(dir.path);
    for (const char* picture : userPictures)
        EXPECT_TRUE(FileExists(dir / picture)) << picture;
    EXPECT_EQ(otherSaver, RegString(HKEY_CURRENT_USER, kDesktopKey, "SCRNSAVE.EXE"));
}

} // namespace
