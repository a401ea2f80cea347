// Gradual replacement: the direction and style rule, and every strip and interlaced pattern
// replacing the whole picture, in the right order, stopping on pending input.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <vector>
#include "GradualReplace.h"

namespace {

// A 32-bit memory bitmap whose pixels the test can read directly.
class PixelBitmap {
public:
    PixelBitmap(int w, int h) : w(w), h(h)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        hdc = CreateCompatibleDC(nullptr);
        hbm = CreateDIBSection(hdc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        hOld = SelectObject(hdc, hbm);
    }
    ~PixelBitmap()
    {
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
    PixelBitmap(const PixelBitmap&) = delete;
    PixelBitmap& operator=(const PixelBitmap&) = delete;
    DWORD& At(int x, int y) { return bits[y * w + x]; }
    void Fill(DWORD value)
    {
        GdiFlush();
        for (int i = 0; i < w * h; ++i)
            bits[i] = value;
    }
    void FillNumbered()
    {
        GdiFlush();
        for (int i = 0; i < w * h; ++i)
            bits[i] = 0x00010000u + static_cast<DWORD>(i);
    }
    int w, h;
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ hOld;
    DWORD* bits = nullptr;
};

const DWORD kOld = 0x00FF0000;

// Stops the copying at the given call of the pending check.
struct StopAfter {
    int calls = 0;
    int stopAt;
    static int Check(void* p)
    {
        StopAfter* s = static_cast<StopAfter*>(p);
        return ++s->calls >= s->stopAt;
    }
};

// Which pixels of dst equal src.
std::vector<bool> Copied(PixelBitmap& dst, PixelBitmap& src)
{
    GdiFlush();
    std::vector<bool> copied(dst.w * dst.h);
    for (int y = 0; y < dst.h; ++y)
        for (int x = 0; x < dst.w; ++x)
            copied[y * dst.w + x] = dst.At(x, y) == src.At(x, y);
    return copied;
}

} // namespace

TEST(GradualChooser, NoStyleMoreThanThreeTimesInARowAndDirectionRule)
{
    srand(12345);
    GradualChooser chooser;
    int prevDir = -1, prevStyle = -1, run = 0;
    int styles[2] = {0, 0};
    for (int i = 0; i < 100000; ++i) {
        int r = rand();
        int dir, style;
        chooser.Choose(r, dir, style);
        ASSERT_GE(dir, 0);
        ASSERT_LT(dir, 4);
        // r mod 4, unless that repeats the previous direction: then (r div 2) mod 4.
        int expected = r % 4 == prevDir ? (r / 2) % 4 : r % 4;
        ASSERT_EQ(expected, dir) << "draw " << i;
        run = style == prevStyle ? run + 1 : 1;
        ASSERT_LE(run, 3) << "draw " << i;
        ++styles[style];
        prevDir = dir;
        prevStyle = style;
    }
    // Both styles are in use, in roughly equal shares.
    EXPECT_GT(styles[0], 40000);
    EXPECT_GT(styles[1], 40000);
}

TEST(GradualChooser, FourthUseOfAStyleSwitchesToTheOther)
{
    GradualChooser chooser;
    int dir, style;
    // r = 0 gives direction 0 and sweep; r = 1 gives direction 1 and sweep.
    const int draws[] = {0, 1, 0, 1};
    int seen[4];
    for (int i = 0; i < 4; ++i) {
        chooser.Choose(draws[i], dir, style);
        seen[i] = style;
    }
    EXPECT_EQ(gradSweep, seen[0]);
    EXPECT_EQ(gradSweep, seen[1]);
    EXPECT_EQ(gradSweep, seen[2]);
    EXPECT_EQ(gradInterlaced, seen[3]);
}

TEST(CopyGradually, EveryPatternReplacesOddSizedPicturesCompletely)
{
    const SIZE sizes[] = {{37, 23}, {41, 30}, {4, 4}, {1, 1}, {3, 9}, {64, 2}};
    for (SIZE sz : sizes) {
        PixelBitmap src(sz.cx, sz.cy), dst(sz.cx, sz.cy);
        src.FillNumbered();
        for (int style = 0; style < 2; ++style)
            for (int dir = 0; dir < 4; ++dir) {
                SCOPED_TRACE(testing::Message() << sz.cx << "x" << sz.cy << " style " << style << " dir " << dir);
                dst.Fill(kOld);
                EXPECT_EQ(1, CopyGradually(dst.hdc, src.hdc, sz.cx, sz.cy, dir, style, 0, nullptr, nullptr));
                std::vector<bool> copied = Copied(dst, src);
                int missing = 0;
                for (bool c : copied)
                    missing += !c;
                EXPECT_EQ(0, missing);
            }
    }
}

TEST(CopyGradually, SweepsCopyFourLineStripsFromTheirStartingEdge)
{
    const int W = 30, H = 22;
    PixelBitmap src(W, H), dst(W, H);
    src.FillNumbered();
    struct Case {
        int dir;
        // Whether pixel (x, y) is copied after two strips.
        bool (*expect)(int x, int y);
    };
    const Case cases[] = {
        {gradTopToBottom, [](int, int y) { return y < 8; }},
        {gradBottomToTop, [](int, int y) { return y >= H - 8; }},
        {gradLeftToRight, [](int x, int) { return x < 8; }},
        {gradRightToLeft, [](int x, int) { return x >= W - 8; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dir);
        dst.Fill(kOld);
        StopAfter stop;
        stop.stopAt = 3; // the check before the third strip stops it
        EXPECT_EQ(0, CopyGradually(dst.hdc, src.hdc, W, H, c.dir, gradSweep, 0, StopAfter::Check, &stop));
        std::vector<bool> copied = Copied(dst, src);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                ASSERT_EQ(c.expect(x, y), static_cast<bool>(copied[y * W + x])) << x << "," << y;
    }
}

TEST(CopyGradually, InterlacedPassesCopyEveryEighthLine)
{
    const int W = 20, H = 19;
    PixelBitmap src(W, H), dst(W, H);
    src.FillNumbered();
    // Stop at the check before the second pass: rows H-1, H-9, H-17 have been copied.
    dst.Fill(kOld);
    StopAfter stop;
    stop.stopAt = 1 + 3 + 1;
    EXPECT_EQ(0, CopyGradually(dst.hdc, src.hdc, W, H, gradBottomToTop, gradInterlaced, 0, StopAfter::Check, &stop));
    std::vector<bool> copied = Copied(dst, src);
    for (int y = 0; y < H; ++y)
        EXPECT_EQ(y == H - 1 || y == H - 9 || y == H - 17, static_cast<bool>(copied[y * W])) << "row " << y;

    // Left to right: columns 0, 8, 16 after the first pass.
    dst.Fill(kOld);
    stop = StopAfter();
    stop.stopAt = 1 + 3 + 1;
    EXPECT_EQ(0, CopyGradually(dst.hdc, src.hdc, W, H, gradLeftToRight, gradInterlaced, 0, StopAfter::Check, &stop));
    copied = Copied(dst, src);
    for (int x = 0; x < W; ++x)
        EXPECT_EQ(x == 0 || x == 8 || x == 16, static_cast<bool>(copied[x])) << "column " << x;
}

TEST(CopyGradually, PendingInputBeforeTheFirstStripCopiesNothing)
{
    PixelBitmap src(16, 16), dst(16, 16);
    src.FillNumbered();
    for (int style = 0; style < 2; ++style) {
        dst.Fill(kOld);
        StopAfter stop;
        stop.stopAt = 1;
        EXPECT_EQ(0, CopyGradually(dst.hdc, src.hdc, 16, 16, gradTopToBottom, style, 0, StopAfter::Check, &stop));
        GdiFlush();
        for (int i = 0; i < 16 * 16; ++i)
            ASSERT_EQ(kOld, dst.bits[i]);
    }
}
