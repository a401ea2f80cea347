// End to end: the real screen saver, copied with image sets of its own into a scratch
// folder, shows the pictures of the sets in use in list order, one per second, each with
// its caption under it; when a key ends it, the stored position is that of the picture on
// the screen and the options are stored. Each picture is one grey level, so the picture on
// the screen is known by the colour at the centre.
#include "../base/RegTestUtil.h"
#include <vector>
#include "TestUtil.h"
#include "options/Opts.h"

namespace {

const char kSettings[] = "Software\\Corvane\\Vantora\\ControlPanel";

// The saver's own settings, dropped before and after; the copy's library remembers its
// folder as the home folder, which goes too.
struct SettingsDropped {
    SettingsDropped() { SHDeleteKeyA(HKEY_CURRENT_USER, kSettings); }
    ~SettingsDropped()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
        SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\Corvane\\Vantora\\Setup", "Home");
    }
};

struct Picture {
    const char* set;
    int number, grey;
};

// The sets A (01 to 04) and B (01 to 03) in list order, from nothing stored: 02 of A
// first, 01 of A last.
const Picture kSequence[] = {{"A", 2, 40}, {"A", 3, 70},  {"A", 4, 100}, {"B", 1, 130},
                             {"B", 2, 160}, {"B", 3, 190}, {"A", 1, 220}};

// The picture whose grey is at the centre of the screen, or -1; notes white caption pixels
// below the centre when the screen shows one.
int ShownPicture(Canvas& screen, bool& caption)
{
    HDC hdc = GetDC(nullptr);
    BitBlt(screen.Dc(), 0, 0, screen.Width(), screen.Height(), hdc, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, hdc);
    Rgb c = screen.Pixel(screen.Width() / 2, screen.Height() / 2);
    auto white = [](Rgb p) { return p.r == 255 && p.g == 255 && p.b == 255; };
    for (int i = 0; i < static_cast<int>(sizeof kSequence / sizeof kSequence[0]); ++i)
        if (abs(c.r - c.g) <= 4 && abs(c.g - c.b) <= 4 && abs(kSequence[i].grey - c.g) <= 6) {
            caption = caption || screen.Count(0, screen.Height() / 2, screen.Width(), screen.Height(), white) > 20;
            return i;
        }
    return -1;
}

} // namespace

TEST(SaverEndToEnd, PositionAdvancesByThePicturesShownAndOptionsAreStored)
{
    SettingsDropped dropped;
    ScratchDir dir("vnte2e");
    ASSERT_TRUE(CopyProduct(dir.Path()));
    for (const char* folder : {"Images", "Images\\A", "Images\\B"})
        ASSERT_TRUE(CreateDirectoryA((dir / folder).c_str(), nullptr));
    for (const Picture& p : kSequence) {
        char name[32];
        wsprintfA(name, "Images\\%s\\%02d_Grey_%d.jpg", p.set, p.number, p.grey);
        ASSERT_TRUE(WriteGrayJpeg(dir / name, p.grey));
    }
    RawSetDword(kSettings, "Options", OPT_SS_CHANGE | OPT_WP_CHANGE);
    RawSetDword(kSettings, "SS_TimeOut", 1);
    RawSet(kSettings, "SS", REG_BINARY, "1A\0" "1B\0", 7);
    ChildProcess saver;
    ASSERT_TRUE(StartSaver(saver, "/s", dir.Path()));
    HWND hWnd = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hWnd = FindProcessWindow(saver.Id(), "WindowsScreenSaverClass")) != nullptr; }));
    // Note each picture as it appears; end the saver right after the fifth.
    Canvas screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    std::vector<int> shown;
    bool caption = false;
    bool enough = WaitFor([&] {
        int index = ShownPicture(screen, caption);
        if (index >= 0 && (shown.empty() || shown.back() != index))
            shown.push_back(index);
        return shown.size() >= 5;
    }, 40000);
    PostMessageA(hWnd, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(enough) << shown.size() << " pictures seen";
    ASSERT_TRUE(saver.Wait(20000));
    EXPECT_EQ(0u, saver.ExitCode());
    EXPECT_TRUE(caption) << "no caption under the pictures";
    // The pictures came in sequence order (the first may be replaced before it was seen).
    EXPECT_LE(shown[0], 1);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_EQ(shown[i - 1] + 1, shown[i]) << "picture " << i;
    const Picture& last = kSequence[shown.back()];
    DWORD pic = last.number - 1, set = last.set[0] == 'A' ? 0 : 1;
    EXPECT_EQ((RawValue{REG_DWORD, std::string(reinterpret_cast<char*>(&pic), 4)}), RawGet(kSettings, "SS_LastPic"));
    EXPECT_EQ((RawValue{REG_DWORD, std::string(reinterpret_cast<char*>(&set), 4)}), RawGet(kSettings, "SS_LastSet"));
    EXPECT_FALSE(RawGet(kSettings, "WP_LastPic").type) << "the wallpaper's sequence is untouched";
    // Stored when the window was destroyed: the missing values and the wallpaper's list,
    // brought in step with the sets on disk.
    EXPECT_EQ(std::string("1A\0" "1B\0\0", 7), RawGet(kSettings, "SS").bytes);
    std::string wp = RawGet(kSettings, "WP").bytes;
    EXPECT_TRUE(wp == std::string("1A\0" "1B\0\0", 7) || wp == std::string("1B\0" "1A\0\0", 7)) << wp.size();
    EXPECT_EQ(std::string("\x01\0\0\0", 4), RawGet(kSettings, "WP_count").bytes);
    EXPECT_EQ(std::string("\x02\0\x02\0", 4), RawGet(kSettings, "Options").bytes);
}
