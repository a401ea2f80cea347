// End to end: the real screen saver, copied with image sets of its own, shows the pictures
// of the sets in use in list order, one a second, with captions, replacing each gradually;
// one-pixel mouse moves cut replacements short but do not end it. When a key ends it, the
// stored position names the picture on the screen, and what the settings and the changer
// wrote while it ran stays. Each picture is one grey level, known by the centre's colour.
#include <algorithm>
#include <map>
#include <vector>
#include "../wallpaper/ChangerTestUtil.h"
#include "options/Opts.h"

namespace {

const char kSettings[] = "Software\\Corvane\\Vantora\\ControlPanel";

struct Picture {
    const char* set;
    int number, grey;
};

// The sets A (01 to 04) and B (01 to 03) in list order, from nothing stored: 02 of A
// first, 01 of A last.
const Picture kSequence[] = {{"A", 2, 40}, {"A", 3, 70},  {"A", 4, 100}, {"B", 1, 130},
                             {"B", 2, 160}, {"B", 3, 190}, {"A", 1, 220}};

// The picture whose grey is at the centre of the screen and near two opposite corners of the
// square picture (finished, not halfway through a replacement), or -1; notes white caption
// pixels below the centre when the screen shows one.
int ShownPicture(Canvas& screen, bool& caption)
{
    HDC hdc = GetDC(nullptr);
    BitBlt(screen.Dc(), 0, 0, screen.Width(), screen.Height(), hdc, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, hdc);
    int cx = screen.Width(), cy = screen.Height();
    Rgb c = screen.Pixel(cx / 2, cy / 2);
    for (Rgb p : {screen.Pixel(cx / 2 - cy / 3, 30), screen.Pixel(cx / 2 + cy / 3, cy * 3 / 4)})
        if (abs(p.r - c.r) > 4 || abs(p.g - c.g) > 4 || abs(p.b - c.b) > 4)
            return -1;
    auto white = [](Rgb p) { return p.r == 255 && p.g == 255 && p.b == 255; };
    for (int i = 0; i < static_cast<int>(sizeof kSequence / sizeof kSequence[0]); ++i)
        if (abs(c.r - c.g) <= 4 && abs(c.g - c.b) <= 4 && abs(kSequence[i].grey - c.g) <= 6) {
            caption = caption || screen.Count(0, screen.Height() / 2, screen.Width(), screen.Height(), white) > 20;
            return i;
        }
    return -1;
}

// Every value under the settings key but the screen saver's position.
std::map<std::string, RawValue> SettingsButPosition()
{
    std::map<std::string, RawValue> values;
    RawKey key(kSettingsKey, HKEY_CURRENT_USER, false);
    char name[256];
    BYTE data[1024];
    for (DWORD i = 0, cchName = sizeof name, cb = sizeof data, type;
         key.h && RegEnumValueA(key.h, i, name, &cchName, nullptr, &type, data, &cb) == ERROR_SUCCESS;
         ++i, cchName = sizeof name, cb = sizeof data)
        if (strcmp(name, "SS_LastPic") && strcmp(name, "SS_LastSet"))
            values[name] = RawValue{type, std::string(reinterpret_cast<char*>(data), cb)};
    return values;
}

} // namespace

TEST(SaverEndToEnd, PositionAdvancesByThePicturesShownAndNewerSettingsStay)
{
    RealStateAside aside;
    ASSERT_TRUE(aside.Ready());
    ScratchDir dir("vnte2e");
    ASSERT_TRUE(CopyProduct(dir.Path()));
    for (const char* folder : {"Images", "Images\\A", "Images\\B"})
        ASSERT_TRUE(CreateDirectoryA((dir / folder).c_str(), nullptr));
    for (const Picture& p : kSequence) {
        char name[32];
        wsprintfA(name, "Images\\%s\\%02d_Grey_%d.jpg", p.set, p.number, p.grey);
        ASSERT_TRUE(WriteGrayJpeg(dir / name, p.grey));
    }
    RawSetDword(kSettingsKey, "Options", OPT_SS_CHANGE | OPT_SS_GRADUAL);
    RawSetDword(kSettingsKey, "SS_TimeOut", 1);
    RawSet(kSettingsKey, "SS", REG_BINARY, "1A\0" "1B\0", 7);
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(cx / 3, cy / 3);
    ChildProcess saver;
    ASSERT_TRUE(StartSaver(saver, "/s", dir.Path()));
    HWND hWnd = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hWnd = FindProcessWindow(saver.Id(), "WindowsScreenSaverClass")) != nullptr; }));
    // Meanwhile the settings change: the changer is switched on and shows its wallpaper.
    ScratchDir user("vntuser");
    ASSERT_TRUE(WriteFileBytes(user / "Photo.bmp", "BM", 2));
    ASSERT_TRUE(WriteFileBytes(BmpPath(), "BM", 2));
    SetDesktopWallpaper(BmpPath(), "2");
    RawSetStr(kSettingsKey, "WP_UserWallpaper", (user / "Photo.bmp").c_str());
    RawSetDword(kSettingsKey, "Options", OPT_SS_RANDOM | OPT_WP_CHANGE);
    RawSetDword(kSettingsKey, "SS_TimeOut", 60);
    RawSetDword(kSettingsKey, "WP_count", 3);
    RawSet(kSettingsKey, "SS", REG_BINARY, "1B\0" "0A\0\0", 7);
    RawSet(kSettingsKey, "WP", REG_BINARY, "1A\0\0", 4);
    const std::map<std::string, RawValue> newer = SettingsButPosition();
    // Note each picture as it appears, nudging the mouse for the first four seconds; end the
    // saver once five have come, two of them after the nudges.
    Canvas screen(cx, cy);
    std::vector<int> shown;
    bool caption = false;
    size_t enough = 5;
    auto note = [&] {
        int index = ShownPicture(screen, caption);
        if (index >= 0 && (shown.empty() || shown.back() != index))
            shown.push_back(index);
        return shown.size() >= enough;
    };
    for (DWORD start = GetTickCount(), i = 0; GetTickCount() - start < 4000; ++i) {
        SetCursorPos(cx / 3 + i % 2, cy / 3);
        PumpMessages(30);
        note();
    }
    ASSERT_TRUE(saver.IsRunning()) << "moves of one pixel ended the saver";
    enough = std::max(enough, shown.size() + 2);
    bool seen = WaitFor(note, 40000);
    PostMessageA(hWnd, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(seen) << shown.size() << " pictures seen";
    ASSERT_TRUE(saver.Wait(20000));
    EXPECT_EQ(0u, saver.ExitCode());
    EXPECT_TRUE(caption) << "no caption under the pictures";
    // The pictures came in sequence order, over and over (the first may be replaced before it
    // was seen).
    EXPECT_LE(shown[0], 1);
    const int n = static_cast<int>(sizeof kSequence / sizeof kSequence[0]);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_EQ((shown[i - 1] + 1) % n, shown[i]) << "picture " << i;
    const Picture& last = kSequence[shown.back()];
    EXPECT_EQ(last.number - 1u, RegDword("SS_LastPic"));
    EXPECT_EQ(last.set[0] == 'A' ? 0u : 1u, RegDword("SS_LastSet"));
    EXPECT_FALSE(RawGet(kSettingsKey, "WP_LastPic").type) << "the wallpaper's sequence is untouched";
    EXPECT_TRUE(newer == SettingsButPosition()) << "settings written back at the end";
    EXPECT_TRUE(Exists(BmpPath())) << "the changer's wallpaper bitmap was deleted";
    EXPECT_EQ(BmpPath(), DesktopValue());
}
