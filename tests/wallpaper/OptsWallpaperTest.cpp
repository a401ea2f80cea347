// The wallpaper of the options record in this process: the bitmap file's place, one
// change, and the store with the changer off that takes the wallpaper away.
#include <gtest/gtest.h>
#include <windows.h>
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "options/Opts.h"

namespace {

// Points the process's temporary folder elsewhere for a scope.
class TempFolderAs {
public:
    explicit TempFolderAs(const std::string& folder)
    {
        char buf[MAX_PATH] = "";
        bHad = GetEnvironmentVariableA("TMP", buf, sizeof buf) > 0;
        old = buf;
        SetEnvironmentVariableA("TMP", folder.c_str());
    }
    ~TempFolderAs() { SetEnvironmentVariableA("TMP", bHad ? old.c_str() : nullptr); }
    TempFolderAs(const TempFolderAs&) = delete;
    TempFolderAs& operator=(const TempFolderAs&) = delete;

private:
    bool bHad;
    std::string old;
};

} // namespace

TEST(OptsWallpaper, FileInTheTemporaryFolderOrElseTheWindowsFolder)
{
    char temp[MAX_PATH], path[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    Opts::GetPathForBMP(path);
    EXPECT_EQ(std::string(temp) + "Vantora.BMP", path);

    ScratchDir dir("vnttmp");
    {
        TempFolderAs tmp(dir.Path()); // no trailing separator: one is added
        Opts::GetPathForBMP(path);
        EXPECT_EQ(dir / "Vantora.BMP", path);
    }
    {
        TempFolderAs tmp(dir / "missing\\");
        Opts::GetPathForBMP(path);
        char win[MAX_PATH];
        GetWindowsDirectoryA(win, sizeof win);
        std::string expected = win;
        EXPECT_EQ(expected + (expected.back() == '\\' ? "" : "\\") + "Vantora.BMP", path);
    }
    // The probe of the folder leaves nothing behind.
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir / "*.tmp").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
}

TEST(OptsWallpaper, ChangeSetsTheDesktopSizedFileAndStoreWithTheChangerOffTakesItAway)
{
    RealStateAside aside;
    ASSERT_TRUE(aside.Ready());
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    Opts opts;
    opts.Load();
    opts.UpdateImageLists();
    opts.SetNextWP();
    ExpectDesktopBmp(path);
    EXPECT_EQ(std::string(path), GetWallpaperSetting());

    // Changer on: the wallpaper stays.
    opts.Set(OPT_WP_CHANGE, 1);
    opts.Store();
    EXPECT_TRUE(Exists(path));
    EXPECT_EQ(std::string(path), GetWallpaperSetting());
    // Changer off: file deleted, desktop without wallpaper.
    opts.Set(OPT_WP_CHANGE, 0);
    opts.Store();
    EXPECT_FALSE(Exists(path));
    EXPECT_EQ("", GetWallpaperSetting());

    // Opts::DelBMP removes a file written again; a second call finds nothing to do.
    opts.SetNextWP();
    ASSERT_TRUE(Exists(path));
    Opts::DelBMP();
    EXPECT_FALSE(Exists(path));
    Opts::DelBMP();
    EXPECT_FALSE(Exists(path));
}
