// The wallpaper of the options record in this process.
#include <gtest/gtest.h>
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

} // namespace

// The bitmap in the temporary folder, else in the Windows folder; the user's photo before
// our first change, what happens to it meanwhile, and the desktop once the options are
// stored with the changer off.
TEST(OptsWallpaper, StoreWithTheChangerOffPutsTheUsersWallpaperBack)
{
    DesktopAside desktop;
    PrivateSettings settings;
    ScratchDir dir("vntwp");
    {
        TempFolderAs missing(dir / "missing\\");
        char win[MAX_PATH];
        GetWindowsDirectoryA(win, sizeof win);
        EXPECT_EQ(std::string(win) + (win[lstrlenA(win) - 1] == '\\' ? "" : "\\") + "Vantora.BMP", BmpPath());
    }
    TempFolderAs tmp(dir.Path());
    EXPECT_EQ(dir / "Vantora.BMP", BmpPath()); // a separator added
    const std::string photo = dir / "Photo.bmp", other = dir / "Other.bmp";
    enum { Nothing, PhotoGone, UserSetsOther };
    const struct { std::string before; int meanwhile; std::string after, style; } cases[] = {
        {photo, Nothing, photo, "2"}, {photo, PhotoGone, "", ""}, {photo, UserSetsOther, other, "6"},
        {"", Nothing, "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before + " " + std::to_string(c.meanwhile));
        ASSERT_TRUE(WriteFileBytes(photo, "BM", 2));
        ASSERT_TRUE(WriteFileBytes(other, "BM", 2));
        SetDesktopWallpaper(c.before, "2", "0");
        Opts opts;
        opts.Load();
        opts.Set(OPT_WP_CHANGE, 0);
        opts.Store(); // the user's own wallpaper stays
        EXPECT_EQ(c.before, DesktopValue());
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
        EXPECT_EQ(c.after, DesktopValue());
        EXPECT_EQ(c.style, c.after.empty() ? std::string() : DesktopValue("WallpaperStyle"));
        EXPECT_FALSE(Exists(BmpPath()));
        EXPECT_EQ("", RawStr(settings.sub, "WP_UserWallpaper")) << "forgotten";
    }
}
