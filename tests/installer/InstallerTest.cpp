// VantoraSetup.exe and its uninstaller, run silently in a Wine prefix of their own: what
// setup installs and registers, that installing again updates the installed copy and keeps
// the user's settings and pictures, and that the uninstaller leaves nothing else behind.
#include <windows.h>
#include <gtest/gtest.h>
#include <set>
#include "Installation.h"
#include "TestUtil.h"
#include "base/FwHandle.h"

namespace {

// A text of the file's version resource (US English, Windows Latin 1), or "".
std::string VersionText(const std::string& file, const char* name)
{
    DWORD ignored = 0, size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    std::vector<char> info(size + 1);
    char* text = nullptr;
    UINT len = 0;
    std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!size || !GetFileVersionInfoA(file.c_str(), 0, size, info.data()) ||
        !VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &len) || !len)
        return "";
    return text;
}

// Starts the wallpaper changer the way the settings do, through the library at path.
bool StartChangerFrom(const std::string& library)
{
    HMODULE lib = LoadLibraryA(library.c_str());
    if (!lib)
        return false;
    auto run = reinterpret_cast<void (*)(HWND, int)>(GetProcAddress(lib, "_Z12RunWPChangerP6HWND__i"));
    if (run)
        run(nullptr, 1);
    FreeLibrary(lib);
    return run != nullptr;
}

// Number of different colours (at 15 bits) in a grid of samples over the screen's middle.
int ScreenColours()
{
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::set<int> colours;
    HDC screen = GetDC(nullptr);
    for (int y = h / 4; y < h * 3 / 4; y += h / 32)
        for (int x = w / 4; x < w * 3 / 4; x += w / 32) {
            COLORREF c = GetPixel(screen, x, y);
            colours.insert((GetRValue(c) >> 3) << 10 | (GetGValue(c) >> 3) << 5 | GetBValue(c) >> 3);
        }
    ReleaseDC(nullptr, screen);
    return static_cast<int>(colours.size());
}

TEST(Installer, InstallsRunsAndUninstallsCleanly)
{
    // An entry left by a copy whose folder is gone does not hold setup back.
    InstallDir dir, gone("Gone");
    RawSetStr(kUninstallKey, "InstallLocation", gone.path.c_str(), HKEY_LOCAL_MACHINE);
    ASSERT_EQ(0, RunSetup(dir.path));

    // Every product file of the build, sample pictures included, is installed.
    std::vector<std::string> files = ProductFiles();
    EXPECT_GT(files.size(), 10u);
    for (const std::string& file : files)
        EXPECT_TRUE(FileExists(dir / file)) << file;
    EXPECT_TRUE(FileExists(dir / "Uninstall.exe"));

    const std::pair<const char*, std::string> links[] = {
        {"Vantora Settings.lnk", dir / "Vantora.scr|/c"},
        {"Vantora ReadMe.lnk", dir / "ReadMe.txt|"}};
    for (const auto& link : links) {
        std::string shortcut = Shortcut(CommonPrograms() + "\\Vantora\\" + link.first);
        EXPECT_EQ(0, lstrcmpiA(link.second.c_str(), shortcut.c_str())) << shortcut;
    }

    // Name, version and publisher as the installed program's version resource gives them.
    struct {
        const char* name;
        std::string value;
    } entries[] = {{"DisplayName", VersionText(dir / "Vantora.scr", "ProductName")},
                   {"DisplayVersion", VersionText(dir / "Vantora.scr", "ProductVersion")},
                   {"Publisher", VersionText(dir / "Vantora.scr", "CompanyName")},
                   {"DisplayIcon", dir / "Vantora.scr,0"},
                   {"InstallLocation", dir.path},
                   {"UninstallString", "\"" + (dir / "Uninstall.exe") + "\""},
                   {"QuietUninstallString", "\"" + (dir / "Uninstall.exe") + "\" /S"}};
    for (const auto& e : entries) {
        EXPECT_FALSE(e.value.empty()) << e.name;
        EXPECT_EQ(e.value, Entry(e.name)) << e.name;
    }
    // Size in KB: the two sample sets alone are several megabytes.
    EXPECT_GT(RegDword(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize"), 1000u);

    ASSERT_TRUE(StartChangerFrom(dir / "VNT32.dll"));
    EXPECT_TRUE(WaitFor([] { return ChangerWindows().size() == 1; }));
    char shortPath[MAX_PATH] = "";
    GetShortPathNameA((dir / "VNT32.dll").c_str(), shortPath, MAX_PATH);
    EXPECT_EQ(std::string("RunDll32.exe ") + shortPath + ",ManageWP", RawStr(kRunKey, "VTWPChanger"));
    EXPECT_TRUE(WaitFor([] { return RawStr(kDesktopKey, "Wallpaper") == WallpaperBmp(); }));
    // The display settings made this copy the active screen saver.
    RawSetStr(kDesktopKey, "SCRNSAVE.EXE", (dir / "Vantora.scr").c_str());

    // The installed saver shows a photograph of the installed sets: many colours mid-screen.
    // The uninstaller ends it; judged once it has gone: whatever it stored on its way out
    // would show now.
    ChildProcess saver;
    ASSERT_TRUE(StartSaver(saver, "/s", dir.path));
    EXPECT_TRUE(WaitFor([&] { return FindProcessWindow(saver.Id(), "WindowsScreenSaverClass") != nullptr; }));
    EXPECT_TRUE(WaitFor([] { return ScreenColours() > 40; })) << ScreenColours();
    ASSERT_TRUE(RunUninstaller(dir.path));
    EXPECT_TRUE(saver.Wait());
    ExpectNothingLeft(dir.path);
    EXPECT_FALSE(FileExists(dir.path));
    EXPECT_EQ("", RawStr(kDesktopKey, "SCRNSAVE.EXE"));
}

// A second setup into another folder updates the copy in the first.
TEST(Installer, InstallingAgainKeepsSettingsAndUserPictures)
{
    InstallDir dir, elsewhere("Elsewhere");
    ASSERT_EQ(0, RunSetup(dir.path));

    // The user's own set, a picture added to a sample set, a setting, a running changer and
    // another program as the active screen saver.
    const char* userPictures[] = {"Images\\Mine\\01_My_Garden.jpg", "Images\\Flowers\\42_My_Rose.jpg"};
    ASSERT_TRUE(CreateDirectoryA((dir / "Images\\Mine").c_str(), nullptr));
    for (const char* picture : userPictures)
        ASSERT_TRUE(CopyFileA((dir / "Images\\Flowers\\01_Fresh_Flower.jpg").c_str(), (dir / picture).c_str(), FALSE));
    RawSetDword(kSettingsKey, "SS_TimeOut", 25);
    const char otherSaver[] = "C:\\windows\\system32\\other.scr";
    RawSetStr(kDesktopKey, "SCRNSAVE.EXE", otherSaver);
    ASSERT_TRUE(StartChangerFrom(dir / "VNT32.dll"));
    ASSERT_TRUE(WaitFor([] { return ChangerWindows().size() == 1; }));
    DWORD oldChanger = 0, pid = 0;
    GetWindowThreadProcessId(ChangerWindows()[0], &oldChanger);

    ASSERT_EQ(0, RunSetup(elsewhere.path));
    EXPECT_FALSE(FileExists(elsewhere.path));
    EXPECT_EQ(dir.path, Entry("InstallLocation"));
    std::string shortcut = Shortcut(CommonPrograms() + "\\Vantora\\Vantora Settings.lnk");
    EXPECT_EQ(0, lstrcmpiA((dir / "Vantora.scr|/c").c_str(), shortcut.c_str())) << shortcut;
    for (const char* picture : userPictures)
        EXPECT_TRUE(FileExists(dir / picture)) << picture;
    EXPECT_EQ(25u, RegDword(HKEY_CURRENT_USER, kSettingsKey, "SS_TimeOut"));
    // The old changer was stopped before its library was replaced, and one new one runs.
    ASSERT_TRUE(WaitFor([&] {
        std::vector<HWND> changers = ChangerWindows();
        return changers.size() == 1 && GetWindowThreadProcessId(changers[0], &pid) &&
               pid != oldChanger;
    })) << ChangerWindows().size();

    // A changer that has quit leaves its last wallpaper, which the uninstaller removes too.
    PostMessageA(ChangerWindows()[0], RegisterWindowMessageA("CorvaneMessage"), 1, 6294);
    ASSERT_TRUE(WaitFor([&] { return ChangerWindows().empty(); }));
    ASSERT_EQ(WallpaperBmp(), RawStr(kDesktopKey, "Wallpaper"));

    // A file held open by another program waits for the restart that deletes it.
    FwHandle readMe(CreateFileA((dir / "ReadMe.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(readMe.IsReady());
    ASSERT_TRUE(RunUninstaller(dir.path));
    EXPECT_TRUE(PendingRename(dir / "ReadMe.txt"));
    readMe.Close();
    DeleteFileA((dir / "ReadMe.txt").c_str());
    ExpectNothingLeft(dir.path);
    for (const char* picture : userPictures)
        EXPECT_TRUE(FileExists(dir / picture)) << picture;
    EXPECT_EQ(otherSaver, RawStr(kDesktopKey, "SCRNSAVE.EXE"));
}

} // namespace
