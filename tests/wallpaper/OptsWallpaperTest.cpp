// The wallpaper of the options record in this process: the bitmap file's place, a change,
// and the store with the changer off, which takes our wallpaper away and gives the user's
// own back.
#include <gtest/gtest.h>
#include <windows.h>
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "options/Opts.h"

namespace {

// Points the process's temporary folder elsewhere for a scope.
struct TempFolderAs {
    char old[MAX_PATH] = "";
    const bool bHad;
    explicit TempFolderAs(const std::string& folder) : bHad(GetEnvironmentVariableA("TMP", old, MAX_PATH) > 0)
    {
        SetEnvironmentVariableA("TMP", folder.c_str());
    }
    ~TempFolderAs() { SetEnvironmentVariableA("TMP", bHad ? old : nullptr); }
};

std::string BmpPath()
{
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    return path;
}

} // namespace

TEST(OptsWallpaper, FileInTheTemporaryFolderOrElseTheWindowsFolder)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    EXPECT_EQ(std::string(temp) + "Vantora.BMP", BmpPath());
    ScratchDir dir("vnttmp");
    {
        TempFolderAs tmp(dir.Path()); // no trailing separator: one is added
        EXPECT_EQ(dir / "Vantora.BMP", BmpPath());
    }
    {
        TempFolderAs tmp(dir / "missing\\");
        char win[MAX_PATH];
        GetWindowsDirectoryA(win, sizeof win);
        std::string expected = win;
        EXPECT_EQ(expected + (expected.back() == '\\' ? "" : "\\") + "Vantora.BMP", BmpPath());
    }
}

// The user's photo before our first change, what happens to it meanwhile, and the desktop
// once the options are stored with the changer off.
TEST(OptsWallpaper, StoreWithTheChangerOffPutsTheUsersWallpaperBack)
{
    DesktopAside desktop;
    PrivateSettings settings;
    ScratchDir dir("vntwp");
    TempFolderAs tmp(dir.Path());
    const std::string photo = dir / "Photo.bmp", other = dir / "Other.bmp";
    enum { Nothing, PhotoGone, UserSetsOther };
    const struct {
        const char* before;
        int meanwhile;
        const char* after;
        const char* style;
    } cases[] = {
        {"photo", Nothing, "photo", "2"},
        {"photo", PhotoGone, "", ""},
        {"photo", UserSetsOther, "other", "6"},
        {"", Nothing, "", ""},
    };
    auto name = [&](const std::string& s) { return s == "photo" ? photo : s == "other" ? other : s; };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.before) + " " + std::to_string(c.meanwhile));
        ASSERT_TRUE(WriteFileBytes(photo, "BM", 2));
        ASSERT_TRUE(WriteFileBytes(other, "BM", 2));
        SetDesktopWallpaper(name(c.before), "2", "0");
        Opts opts;
        opts.Load();
        opts.Set(OPT_WP_CHANGE, 0);
        opts.Store(); // the user's own wallpaper stays
        EXPECT_EQ(name(c.before), DesktopValue());
        opts.SetNextWP();
        opts.SetNextWP(); // ours replacing ours remembers nothing new
        ExpectDesktopBmp(BmpPath());
        EXPECT_EQ(BmpPath(), DesktopValue());
        SetDesktopWallpaper(BmpPath(), "0", "1"); // ours got a style of its own
        opts.Set(OPT_WP_CHANGE, 1);
        opts.Store(); // changer on: ours stays
        EXPECT_EQ(BmpPath(), DesktopValue());
        if (c.meanwhile == PhotoGone)
            DeleteFileA(photo.c_str());
        if (c.meanwhile == UserSetsOther)
            SetDesktopWallpaper(other, "6", "0");
        opts.Set(OPT_WP_CHANGE, 0);
        opts.Store();
        EXPECT_EQ(name(c.after), DesktopValue());
        EXPECT_EQ(c.style, c.after[0] ? DesktopValue("WallpaperStyle") : std::string());
        EXPECT_FALSE(Exists(BmpPath()));
        EXPECT_EQ("", RegString(settings.sub.c_str(), "WP_UserWallpaper")) << "forgotten";
    }
}
