// End to end: the full-screen saver shows a sample photograph with its caption under it.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "PictureTestUtil.h"

namespace {

// Copies the screen into a canvas.
void GrabScreen(Canvas& canvas)
{
    HDC screen = GetDC(nullptr);
    BitBlt(canvas.Dc(), 0, 0, canvas.Width(), canvas.Height(), screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
}

bool IsDark(Rgb p) { return p.r + p.g + p.b < 30; }

// Where a picture with a caption was found on the screen.
struct Layout {
    int pictureRows = 0;   // rows mostly covered by the picture
    int pictureBottom = 0; // first row below the picture
    int captionLeft = 0, captionRight = 0, captionPixels = 0;
};

Layout Analyse(const Canvas& c)
{
    Layout l;
    int w = c.Width(), h = c.Height();
    for (int y = 0; y < h; ++y) {
        if (c.Count(0, y, w, y + 1, [](Rgb p) { return !IsDark(p); }) > w / 2) {
            ++l.pictureRows;
            l.pictureBottom = y + 1;
        }
    }
    l.captionLeft = w;
    for (int y = l.pictureBottom; y < h && y < l.pictureBottom + 30; ++y)
        for (int x = 0; x < w; ++x)
            if (IsWhite(c.Pixel(x, y))) {
                ++l.captionPixels;
                l.captionLeft = x < l.captionLeft ? x : l.captionLeft;
                l.captionRight = x + 1 > l.captionRight ? x + 1 : l.captionRight;
            }
    return l;
}

int CaptionWidth(const std::string& text)
{
    Canvas canvas(4, 4);
    SelectObject(canvas.Dc(), GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {};
    GetTextExtentPoint32A(canvas.Dc(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Captions of the sample photos: "NN_Caption_Words.jpg" in each set folder of Images.
std::vector<std::string> SampleCaptions()
{
    std::vector<std::string> captions;
    std::string images = BinDir() + "\\Images\\";
    WIN32_FIND_DATAA set, file;
    HANDLE hSets = FindFirstFileA((images + "*").c_str(), &set);
    if (hSets == INVALID_HANDLE_VALUE)
        return captions;
    do {
        if (!(set.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || set.cFileName[0] == '.')
            continue;
        HANDLE hFiles = FindFirstFileA((images + set.cFileName + "\\*.jpg").c_str(), &file);
        if (hFiles == INVALID_HANDLE_VALUE)
            continue;
        do {
            std::string name = file.cFileName;
            std::string caption = name.substr(3, name.size() - 7); // without "NN_" and ".jpg"
            for (char& ch : caption)
                ch = ch == '_' ? ' ' : ch;
            captions.push_back(caption);
        } while (FindNextFileA(hFiles, &file));
        FindClose(hFiles);
    } while (FindNextFileA(hSets, &set));
    FindClose(hSets);
    return captions;
}

} // namespace

TEST(SaverPicture, FullScreenShowsTheFirstSamplePhotoWithItsCaption)
{
    ChildProcess proc;
    ASSERT_TRUE(StartSaver(proc, "/s"));
    HWND hWnd = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hWnd = FindProcessWindow(proc.Id(), "WindowsScreenSaverClass")) != nullptr; }));

    Canvas screen(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    Layout l;
    bool shown = WaitFor([&] {
        GrabScreen(screen);
        l = Analyse(screen);
        return l.pictureRows > screen.Height() / 3 && l.captionPixels > 20;
    }, 30000);
    ASSERT_TRUE(shown) << "picture rows " << l.pictureRows << ", caption pixels " << l.captionPixels;
    // The caption is as wide as one of the sample photos' captions, and centred.
    int width = l.captionRight - l.captionLeft;
    std::vector<std::string> captions = SampleCaptions();
    ASSERT_FALSE(captions.empty());
    bool matches = false;
    for (const std::string& caption : captions)
        matches = matches || abs(width - CaptionWidth(caption)) <= 3;
    EXPECT_TRUE(matches) << "caption " << width << " pixels wide";
    EXPECT_LE(abs((l.captionLeft + l.captionRight) - screen.Width()), 8);

    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hWnd; }, 5000));
    keybd_event(VK_SPACE, 0, 0, 0);
    keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
    ASSERT_TRUE(proc.Wait());
    EXPECT_EQ(0u, proc.ExitCode());
}
