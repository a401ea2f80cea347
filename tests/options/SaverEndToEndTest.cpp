// End to end: the real screen saver, copied with image sets of its own into a scratch
// folder, shows the pictures of the sets in use in list order, one per second, and when a
// key ends it the stored position is that of the picture on the screen and the options
// are stored. Each picture is one grey level, so the picture on the screen is known by
// the colour at the centre of the screen. The real settings key is saved and restored.
#include "OptionsTestUtil.h"
#include <vector>
#include "options/Opts.h"

namespace {

const char kSettings[] = "Software\\Corvane\\Vantora\\ControlPanel";
const char kSetup[] = "Software\\Corvane\\Vantora\\Setup";

// Moves the real settings key aside for the test and puts it back afterwards.
class RealSettingsAside {
public:
    RealSettingsAside() : backup("Software\\VantoraTest\\SettingsBackup_" + std::to_string(GetCurrentProcessId()))
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, backup.c_str());
        bExisted = RawExists(kSettings);
        if (bExisted)
            bSaved = Copy(kSettings, backup) && SHDeleteKeyA(HKEY_CURRENT_USER, kSettings) == ERROR_SUCCESS;
    }
    ~RealSettingsAside()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
        if (bExisted && bSaved)
            Copy(backup, kSettings);
        SHDeleteKeyA(HKEY_CURRENT_USER, backup.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
        // The saver's library remembered its copy's folder as the home folder; every
        // library start drops that value anyway.
        HKEY h;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSetup, 0, KEY_SET_VALUE, &h) == ERROR_SUCCESS) {
            RegDeleteValueA(h, "Home");
            RegCloseKey(h);
        }
    }
    RealSettingsAside(const RealSettingsAside&) = delete;
    RealSettingsAside& operator=(const RealSettingsAside&) = delete;
    bool Ready() const { return !bExisted || bSaved; }

private:
    std::string backup;
    bool bExisted = false;
    bool bSaved = false;

    static bool Copy(const std::string& from, const std::string& to)
    {
        HKEY src = nullptr, dst = nullptr;
        bool ok = RegOpenKeyExA(HKEY_CURRENT_USER, from.c_str(), 0, KEY_READ, &src) == ERROR_SUCCESS &&
                  RegCreateKeyExA(HKEY_CURRENT_USER, to.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dst,
                                  nullptr) == ERROR_SUCCESS &&
                  SHCopyKeyA(src, nullptr, dst, 0) == ERROR_SUCCESS;
        if (src)
            RegCloseKey(src);
        if (dst)
            RegCloseKey(dst);
        return ok;
    }
};

// The colour of one screen pixel, read through a one-pixel DIB section.
class ScreenPixel {
public:
    ScreenPixel() : hdc(CreateCompatibleDC(nullptr)), pBits(nullptr)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = 1;
        bi.bmiHeader.biHeight = 1;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        hbm = CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
        hOld = SelectObject(hdc, hbm);
    }
    ~ScreenPixel()
    {
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
    ScreenPixel(const ScreenPixel&) = delete;
    ScreenPixel& operator=(const ScreenPixel&) = delete;
    // Blue, green and red of the pixel, or -1 when they differ (not a grey).
    int GreyAt(int x, int y)
    {
        HDC screen = GetDC(nullptr);
        BitBlt(hdc, 0, 0, 1, 1, screen, x, y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        GdiFlush();
        int b = *pBits & 0xFF, g = (*pBits >> 8) & 0xFF, r = (*pBits >> 16) & 0xFF;
        return abs(r - g) <= 4 && abs(g - b) <= 4 ? g : -1;
    }

private:
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ hOld;
    DWORD* pBits;
};

struct Picture {
    const char* set;
    int number;
    int grey;
};

// The sets A (01 to 04) and B (01 to 03) in list order, from nothing stored: 02 of A
// first, 01 of A last.
const Picture kSequence[] = {{"A", 2, 40}, {"A", 3, 70},  {"A", 4, 100}, {"B", 1, 130},
                             {"B", 2, 160}, {"B", 3, 190}, {"A", 1, 220}};
const int kCount = sizeof kSequence / sizeof kSequence[0];

int FindByGrey(int grey)
{
    for (int i = 0; i < kCount; ++i)
        if (grey >= 0 && abs(kSequence[i].grey - grey) <= 6)
            return i;
    return -1;
}

} // namespace

TEST(SaverEndToEnd, PositionAdvancesByThePicturesShownAndOptionsAreStored)
{
    RealSettingsAside aside;
    ASSERT_TRUE(aside.Ready());
    ScratchDir dir("vnte2e");
    ASSERT_TRUE(CopyProduct(dir.Path()));
    ASSERT_TRUE(CreateDirectoryA((dir / "Images").c_str(), nullptr));
    for (const char* set : {"A", "B"})
        ASSERT_TRUE(CreateDirectoryA((dir / "Images\\" + set).c_str(), nullptr));
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
    ScreenPixel pixel;
    int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
    std::vector<int> shown;
    bool enough = WaitFor([&] {
        int index = FindByGrey(pixel.GreyAt(cx, cy));
        if (index >= 0 && (shown.empty() || shown.back() != index))
            shown.push_back(index);
        return shown.size() >= 5;
    }, 40000);
    PostMessageA(hWnd, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(enough) << shown.size() << " pictures seen";
    ASSERT_TRUE(saver.Wait(20000));
    EXPECT_EQ(0u, saver.ExitCode());

    // The pictures came in sequence order (the first may have been replaced before it was
    // seen, when the window was erased twice at its start).
    EXPECT_LE(shown[0], 1);
    for (size_t i = 1; i < shown.size(); ++i)
        EXPECT_EQ(shown[i - 1] + 1, shown[i]) << "picture " << i;
    const Picture& last = kSequence[shown.back()];
    RawValue pic = RawGet(kSettings, "SS_LastPic");
    RawValue set = RawGet(kSettings, "SS_LastSet");
    ASSERT_EQ(static_cast<DWORD>(REG_DWORD), pic.type);
    ASSERT_EQ(static_cast<DWORD>(REG_DWORD), set.type);
    EXPECT_EQ(static_cast<DWORD>(last.number - 1), *reinterpret_cast<const DWORD*>(pic.bytes.data()));
    EXPECT_EQ(last.set[0] == 'A' ? 0u : 1u, *reinterpret_cast<const DWORD*>(set.bytes.data()));
    EXPECT_FALSE(RawGet(kSettings, "WP_LastPic").type) << "the wallpaper's sequence is untouched";

    // Stored when the window was destroyed: the values that were missing and the
    // wallpaper's list, which the saver brought in step with the sets on disk.
    EXPECT_EQ(std::string("1A\0" "1B\0\0", 7), RawGet(kSettings, "SS").bytes);
    std::string wp = RawGet(kSettings, "WP").bytes;
    EXPECT_TRUE(wp == std::string("1A\0" "1B\0\0", 7) || wp == std::string("1B\0" "1A\0\0", 7)) << wp.size();
    EXPECT_EQ(std::string("\x01\0\0\0", 4), RawGet(kSettings, "WP_change").bytes);
    EXPECT_EQ(std::string("\x01\0\0\0", 4), RawGet(kSettings, "WP_count").bytes);
    EXPECT_EQ(std::string("\x01\0\0\0", 4), RawGet(kSettings, "SS_TimeOut").bytes);
    EXPECT_EQ(std::string("\x02\0\x02\0", 4), RawGet(kSettings, "Options").bytes);
}
