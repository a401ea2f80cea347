// The .BMP file written for the wallpaper from real bitmaps of every depth: header, colour
// table and bottom-up padded rows; writes that fail or meet a file held open.
#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "../picture/PictureTestUtil.h"
#include "ChangerTestUtil.h"
#include "TestUtil.h"
#include "base/FwDC.h"
#include "base/FwHandle.h"
#include "wallpaper/WallpaperBmp.h"

namespace {

// A top-down DIB section with a palette of its own and every row different (the unused
// fourth byte of 32-bit pixels stays 0).
struct TestDib {
    HBITMAP hbm;
    BYTE* bits = nullptr;
    const DWORD stride;
    std::vector<BYTE> block;
    TestDib(int w, int h, int bpp)
        : stride(((w * bpp + 31) & ~31) / 8), block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD))
    {
        BITMAPINFO* bi = Info();
        bi->bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, static_cast<WORD>(bpp), BI_RGB};
        bi->bmiHeader.biClrUsed = bpp <= 8 ? (1u << bpp) : 0;
        for (DWORD i = 0; i < bi->bmiHeader.biClrUsed; i++)
            bi->bmiColors[i] = bpp == 1 ? RGBQUAD{BYTE(i * 255), BYTE(i * 255), BYTE(i * 255), 0}
                                        : RGBQUAD{BYTE(i * 37), BYTE(255 - i), BYTE(i * 3), 0};
        hbm = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        for (int y = 0; bits && y < h; y++)
            for (DWORD x = 0; x < stride; x++)
                bits[y * stride + x] = (bpp == 32 && x % 4 == 3) ? 0 : BYTE(y * 7 + x * 13 + 1);
    }
    ~TestDib() { DeleteObject(hbm); }
    BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(block.data()); }
};

// CreateBMPFile with the screen's DC.
int Write(std::string path, HBITMAP hbm)
{
    return CreateBMPFile(&path[0], ClientDC(nullptr), hbm, nullptr);
}

} // namespace

TEST(BmpLayout, HeaderTableAndRowsAtEveryDepthAndScreenSize)
{
    ScratchDir dir("vntbmp");
    for (SIZE sz : {SIZE{1366, 768}, SIZE{640, 480}}) {
        for (WORD bpp : {1, 4, 8, 16, 24, 32}) {
            const LONG w = sz.cx, h = sz.cy;
            SCOPED_TRACE(testing::Message() << w << "x" << h << "x" << bpp);
            TestDib dib(w, h, bpp);
            ASSERT_TRUE(dib.bits);
            ASSERT_EQ(1, Write(dir / "layout.bmp", dib.hbm));
            const std::string f = ReadAll(dir / "layout.bmp");
            // Every depth below 24 bits has a full colour table, 16 bits included.
            const DWORD colours = bpp < 24 ? (1u << bpp) : 0, image = dib.stride * h;
            const DWORD offset = 14 + 40 + 4 * colours;
            ASSERT_EQ(offset + image, f.size());
            BITMAPFILEHEADER fh = {0x4D42, offset + image, 0, 0, offset};
            BITMAPINFOHEADER ih = {40, w, h, 1, bpp, BI_RGB, image, 0, 0, colours, 0}; // rows bottom-up
            EXPECT_EQ(std::string(reinterpret_cast<char*>(&fh), 14) + std::string(reinterpret_cast<char*>(&ih), 40),
                      f.substr(0, 54));
            // The table holds the bitmap's colours (16-bit pixels have none to give).
            for (DWORD i = 0; bpp <= 8 && i < colours; i++)
                EXPECT_EQ(0, memcmp(f.data() + 54 + 4 * i, &dib.Info()->bmiColors[i], 3)) << "entry " << i;
            // The file's first row is the bitmap's bottom row, each on its padded stride; the
            // bits of a last partial byte match too.
            const DWORD whole = w * bpp / 8;
            const BYTE mask = static_cast<BYTE>(0xFF00 >> ((w * bpp) % 8));
            for (LONG row = 0; row < h; row++) {
                const BYTE* got = reinterpret_cast<const BYTE*>(f.data()) + offset + row * dib.stride;
                const BYTE* want = dib.bits + (h - 1 - row) * dib.stride;
                ASSERT_EQ(0, memcmp(got, want, whole)) << "row " << row;
                ASSERT_FALSE(mask && ((want[whole] ^ got[whole]) & mask)) << "row " << row;
            }
        }
    }
    EXPECT_EQ(0u, BmpImageSize(100000, 100000, 32));
}

// The desktop may load the file at any moment: a write that fails leaves the previous
// picture whole; one that cannot replace a file held open overwrites it in place where the
// holder allows; nothing is left beside it, also after a writer was killed.
TEST(BmpLayout, WritesReplaceThePreviousFileWholeOrNotAtAll)
{
    ScratchDir dir("vntbmp");
    const std::string path = dir / "Vantora.BMP";
    TestDib first(64, 32, 24), second(64, 32, 32);
    const size_t firstSize = 54 + 64 * 3 * 32, secondSize = 54 + 64 * 4 * 32;
    ASSERT_EQ(1, Write(path, first.hbm));
    const std::string before = ReadAll(path);
    ASSERT_EQ(firstSize, before.size());
    EXPECT_EQ(0, Write(path, nullptr)); // not a bitmap
    EXPECT_EQ(0, Write(dir / "no\\such\\Vantora.BMP", second.hbm));
    // Held open without sharing it stays; shared for writing, a viewer's way, it changes.
    const struct { DWORD share; int result; size_t size; } holders[] = {
        {0, 0, firstSize}, {FILE_SHARE_READ | FILE_SHARE_WRITE, 1, secondSize}};
    for (const auto& h : holders) {
        ASSERT_EQ(1, Write(path, first.hbm));
        FwHandle held(CreateFileA(path.c_str(), GENERIC_READ, h.share, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held.IsReady());
        EXPECT_EQ(h.result, Write(path, second.hbm)) << h.share;
        held.Close();
        EXPECT_EQ(h.size, ReadAll(path).size()) << h.share;
        EXPECT_FALSE(Exists(path + ".tmp")) << h.share;
    }
    // The temporary file a killed writer left is taken over.
    ASSERT_TRUE(WriteFileBytes(path + ".tmp", "half", 4));
    ASSERT_EQ(1, Write(path, first.hbm));
    EXPECT_EQ(before, ReadAll(path));
    EXPECT_FALSE(Exists(path + ".tmp"));
}
