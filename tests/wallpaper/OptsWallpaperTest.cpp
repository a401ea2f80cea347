// The wallpaper of the options record in this process: the bitmap file's place, one
// change, and the store with the changer off that takes the wallpaper away.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlwapi.h>
#include <fstream>
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "options/Opts.h"

namespace {

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string WindowsBmp()
{
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, sizeof win);
    std::string s = win;
    if (s.back() != '\\')
        s += '\\';
    return s + "Vantora.BMP";
}

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
        EXPECT_EQ(WindowsBmp(), path);
    }
    // The probe of the folder leaves nothing behind.
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir / "*.tmp").c_str(), &fd);
    EXPECT_EQ(INVALID_HANDLE_VALUE, h);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
}

TEST(OptsWallpaper, ChangeWritesTheDesktopSizedFileAndSetsIt)
{
    RealStateAside aside;
    ASSERT_TRUE(aside.Ready());
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    {
        Opts opts;
        opts.Load();
        opts.UpdateImageLists();
        opts.SetNextWP();
    }
    std::ifstream f(path, std::ios::binary);
    char h[54] = {};
    ASSERT_TRUE(f.read(h, sizeof h));
    LONG w = 0, ht = 0;
    memcpy(&w, h + 18, 4);
    memcpy(&ht, h + 22, 4);
    RECT desk;
    GetClientRect(GetDesktopWindow(), &desk);
    EXPECT_EQ(desk.right, w);
    EXPECT_EQ(desk.bottom, ht);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), *reinterpret_cast<WORD*>(h + 28));
    ReleaseDC(nullptr, screen);
    EXPECT_EQ(std::string(path), GetWallpaperSPI());
    EXPECT_EQ(std::string(path), GetWallpaperSetting());
    f.close();

    // Opts::DelBMP removes it; a second call finds nothing to do.
    Opts::DelBMP();
    EXPECT_FALSE(Exists(path));
    Opts::DelBMP();
    EXPECT_FALSE(Exists(path));
}

TEST(OptsWallpaper, StoreWithTheChangerOffTakesTheWallpaperAway)
{
    RealStateAside aside;
    ASSERT_TRUE(aside.Ready());
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    {
        Opts opts;
        opts.Load();
        opts.SetNextWP();
        ASSERT_TRUE(Exists(path));

        // Changer on: the wallpaper stays.
        opts.Set(OPT_WP_CHANGE, 1);
        opts.Store();
        EXPECT_TRUE(Exists(path));
        EXPECT_EQ(std::string(path), GetWallpaperSPI());

        // Changer off: file deleted, desktop without wallpaper.
        opts.Set(OPT_WP_CHANGE, 0);
        opts.Store();
        EXPECT_FALSE(Exists(path));
        EXPECT_EQ("", GetWallpaperSPI());
        EXPECT_EQ("", GetWallpaperSetting());
    }
}
