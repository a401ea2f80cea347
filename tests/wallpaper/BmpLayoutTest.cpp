// The .BMP file written for the wallpaper: header fields, colour table, bottom-up padded
// rows, from real bitmaps of every depth and the common screen sizes; and a failed write
// that leaves the previous file alone.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>
#include "TestUtil.h"
#include "wallpaper/WallpaperBmp.h"

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

template <class T>
T At(const std::string& bytes, size_t offset)
{
    T v = {};
    if (offset + sizeof(T) <= bytes.size())
        memcpy(&v, bytes.data() + offset, sizeof(T));
    return v;
}

// A top-down DIB section whose pixels and palette the test fills itself.
struct TestDib {
    HBITMAP hbm = nullptr;
    BYTE* bits = nullptr;
    int width, height, bpp;
    DWORD stride;
    std::vector<RGBQUAD> palette;

    TestDib(int w, int h, int b) : width(w), height(h), bpp(b)
    {
        DWORD entries = b <= 8 ? (1u << b) : 0;
        std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        BITMAPINFO* bi = reinterpret_cast<BITMAPINFO*>(block.data());
        bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi->bmiHeader.biWidth = w;
        bi->bmiHeader.biHeight = -h;
        bi->bmiHeader.biPlanes = 1;
        bi->bmiHeader.biBitCount = static_cast<WORD>(b);
        bi->bmiHeader.biCompression = BI_RGB;
        bi->bmiHeader.biClrUsed = entries;
        for (DWORD i = 0; i < entries; i++) {
            RGBQUAD q = {static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0};
            if (b == 1)
                q = i ? RGBQUAD{255, 255, 255, 0} : RGBQUAD{0, 0, 0, 0};
            bi->bmiColors[i] = q;
            palette.push_back(q);
        }
        void* p = nullptr;
        hbm = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<BYTE*>(p);
        stride = ((w * b + 31) & ~31) / 8;
        // Every row different; the unused fourth byte of 32-bit pixels stays 0.
        for (int y = 0; bits && y < h; y++)
            for (DWORD x = 0; x < stride; x++)
                bits[y * stride + x] = (b == 32 && x % 4 == 3) ? 0 : static_cast<BYTE>(y * 7 + x * 13 + 1);
    }
    ~TestDib() { if (hbm) DeleteObject(hbm); }
    TestDib(const TestDib&) = delete;
    TestDib& operator=(const TestDib&) = delete;
};

struct Case {
    int width, height, bpp;
};

class BmpLayout : public ::testing::TestWithParam<Case> {};

} // namespace

TEST(BmpLayout, ColourBitsAndImageSize)
{
    const WORD expected[33] = {0, 1, 4, 4, 4, 8, 8, 8, 8, 16, 16, 16, 16, 16, 16, 16, 16,
                               24, 24, 24, 24, 24, 24, 24, 24, 32, 32, 32, 32, 32, 32, 32, 32};
    for (WORD c = 0; c <= 32; c++)
        EXPECT_EQ(expected[c], BmpColorBits(c)) << c;
    EXPECT_EQ(32, BmpColorBits(48));
    EXPECT_EQ(3145728u, BmpImageSize(1024, 768, 32));
    EXPECT_EQ(2359296u, BmpImageSize(1024, 768, 24));
    EXPECT_EQ(3148800u, BmpImageSize(1366, 768, 24));
    EXPECT_EQ(960000u, BmpImageSize(800, 600, 16));
    EXPECT_EQ(38400u, BmpImageSize(640, 480, 1));
    EXPECT_EQ(0u, BmpImageSize(100000, 100000, 32)); // beyond 31 bits
}

// The examples every .BMP reader agrees on.
TEST(BmpLayout, KnownFileSizes)
{
    struct {
        int w, h, bpp;
        DWORD fileSize, offset, image, colours;
    } known[] = {
        {1024, 768, 32, 3145782, 54, 3145728, 0},
        {1024, 768, 24, 2359350, 54, 2359296, 0},
        {1366, 768, 24, 3148854, 54, 3148800, 0},
        {800, 600, 16, 1222198, 262198, 960000, 65536},
        {1024, 768, 8, 787510, 1078, 786432, 256},
        {640, 480, 4, 153718, 118, 153600, 16},
        {640, 480, 1, 38462, 62, 38400, 2},
    };
    ScratchDir dir("vntbmp");
    HDC screen = GetDC(nullptr);
    for (auto& k : known) {
        TestDib dib(k.w, k.h, k.bpp);
        ASSERT_TRUE(dib.hbm);
        std::string path = dir / "known.bmp";
        ASSERT_EQ(1, CreateBMPFile(&path[0], screen, dib.hbm, nullptr)) << k.w << "x" << k.bpp;
        std::string f = ReadAll(path);
        EXPECT_EQ(k.fileSize, f.size()) << k.w << "x" << k.h << "x" << k.bpp;
        EXPECT_EQ(k.fileSize, At<DWORD>(f, 2));
        EXPECT_EQ(k.offset, At<DWORD>(f, 10));
        EXPECT_EQ(k.image, At<DWORD>(f, 34));
        EXPECT_EQ(k.colours, At<DWORD>(f, 46));
    }
    ReleaseDC(nullptr, screen);
}

TEST_P(BmpLayout, FieldsTableAndRows)
{
    const Case c = GetParam();
    TestDib dib(c.width, c.height, c.bpp);
    ASSERT_TRUE(dib.hbm && dib.bits);
    ScratchDir dir("vntbmp");
    std::string path = dir / "layout.bmp";
    HDC screen = GetDC(nullptr);
    ASSERT_EQ(1, CreateBMPFile(&path[0], screen, dib.hbm, nullptr));
    ReleaseDC(nullptr, screen);
    std::string f = ReadAll(path);

    const DWORD colours = c.bpp < 24 ? (1u << c.bpp) : 0;
    const DWORD stride = ((c.width * c.bpp + 31) & ~31) / 8;
    const DWORD image = stride * c.height;
    const DWORD offset = 14 + 40 + 4 * colours;
    ASSERT_EQ(offset + image, f.size());
    EXPECT_EQ('B', f[0]);
    EXPECT_EQ('M', f[1]);
    EXPECT_EQ(offset + image, At<DWORD>(f, 2));
    EXPECT_EQ(0u, At<DWORD>(f, 6)); // both reserved words
    EXPECT_EQ(offset, At<DWORD>(f, 10));
    EXPECT_EQ(40u, At<DWORD>(f, 14));
    EXPECT_EQ(c.width, At<LONG>(f, 18));
    EXPECT_EQ(c.height, At<LONG>(f, 22)); // positive: rows bottom-up
    EXPECT_EQ(1, At<WORD>(f, 26));
    EXPECT_EQ(c.bpp, At<WORD>(f, 28));
    EXPECT_EQ(0u, At<DWORD>(f, 30));
    EXPECT_EQ(image, At<DWORD>(f, 34));
    EXPECT_EQ(0u, At<DWORD>(f, 38));
    EXPECT_EQ(0u, At<DWORD>(f, 42));
    EXPECT_EQ(colours, At<DWORD>(f, 46));
    EXPECT_EQ(0u, At<DWORD>(f, 50));

    // The table holds the bitmap's colours (16-bit pixels have none to give).
    if (c.bpp <= 8) {
        for (DWORD i = 0; i < colours; i++) {
            RGBQUAD q = At<RGBQUAD>(f, 54 + 4 * i);
            EXPECT_EQ(0, memcmp(&q, &dib.palette[i], 3)) << "entry " << i;
        }
    }

    // The file's first row is the bitmap's bottom row; each row starts on its padded stride.
    const DWORD whole = c.width * c.bpp / 8;        // bytes fully inside the row
    const int restBits = (c.width * c.bpp) % 8;     // bits of a last partial byte
    for (int fileRow = 0; fileRow < c.height; fileRow++) {
        const BYTE* got = reinterpret_cast<const BYTE*>(f.data()) + offset + fileRow * stride;
        const BYTE* want = dib.bits + (c.height - 1 - fileRow) * dib.stride;
        ASSERT_EQ(0, memcmp(got, want, whole)) << "row " << fileRow;
        if (restBits) {
            BYTE mask = static_cast<BYTE>(0xFF00 >> restBits);
            ASSERT_EQ(want[whole] & mask, got[whole] & mask) << "row " << fileRow;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    DepthsAndSizes, BmpLayout,
    ::testing::Values(Case{1024, 768, 1}, Case{1024, 768, 4}, Case{1024, 768, 8}, Case{1024, 768, 16},
                      Case{1024, 768, 24}, Case{1024, 768, 32}, Case{1366, 768, 1}, Case{1366, 768, 4},
                      Case{1366, 768, 8}, Case{1366, 768, 16}, Case{1366, 768, 24}, Case{1366, 768, 32},
                      Case{800, 600, 1}, Case{800, 600, 4}, Case{800, 600, 8}, Case{800, 600, 16},
                      Case{800, 600, 24}, Case{800, 600, 32}, Case{640, 480, 1}, Case{640, 480, 4},
                      Case{640, 480, 8}, Case{640, 480, 16}, Case{640, 480, 24}, Case{640, 480, 32}),
    [](const ::testing::TestParamInfo<Case>& i) {
        return std::to_string(i.param.width) + "x" + std::to_string(i.param.height) + "x" +
               std::to_string(i.param.bpp);
    });

// A bitmap compatible with the display, as the wallpaper is made: the display's depth.
TEST(BmpLayout, DisplayCompatibleBitmap)
{
    HDC screen = GetDC(nullptr);
    int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    HBITMAP hbm = CreateCompatibleBitmap(screen, 320, 200);
    ASSERT_TRUE(hbm);
    BITMAPINFO* info = CreateBitmapInfoStruct(hbm);
    ASSERT_TRUE(info);
    EXPECT_EQ(40u, info->bmiHeader.biSize);
    EXPECT_EQ(320, info->bmiHeader.biWidth);
    EXPECT_EQ(200, info->bmiHeader.biHeight);
    EXPECT_EQ(depth, info->bmiHeader.biBitCount * info->bmiHeader.biPlanes);
    EXPECT_EQ(BmpImageSize(320, 200, BmpColorBits(static_cast<WORD>(depth))), info->bmiHeader.biSizeImage);
    LocalFree(info);

    ScratchDir dir("vntbmp");
    std::string path = dir / "display.bmp";
    ASSERT_EQ(1, CreateBMPFile(&path[0], screen, hbm, nullptr));
    std::string f = ReadAll(path);
    EXPECT_EQ(At<DWORD>(f, 2), f.size());
    EXPECT_EQ(depth, At<WORD>(f, 28));
    DeleteObject(hbm);
    ReleaseDC(nullptr, screen);

    EXPECT_EQ(nullptr, CreateBitmapInfoStruct(nullptr));
    EXPECT_EQ(nullptr, CreateBitmapInfoStruct(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_BRUSH))));
}

namespace {
size_t CountFiles(const std::string& dir)
{
    size_t n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            n++;
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return n;
}
} // namespace

// The desktop may load the file at any moment: a write that fails leaves the previous
// picture whole, and no temporary file behind.
TEST(BmpLayout, FailedWriteKeepsThePreviousFile)
{
    ScratchDir dir("vntbmp");
    std::string path = dir / "Vantora.BMP";
    HDC screen = GetDC(nullptr);
    TestDib first(64, 32, 24);
    ASSERT_EQ(1, CreateBMPFile(&path[0], screen, first.hbm, nullptr));
    const std::string before = ReadAll(path);
    ASSERT_EQ(54u + 64 * 3 * 32, before.size());

    // Not a bitmap.
    EXPECT_EQ(0, CreateBMPFile(&path[0], screen, nullptr, nullptr));
    EXPECT_EQ(before, ReadAll(path));

    // The target cannot be replaced while someone holds it open without sharing.
    TestDib second(64, 32, 32);
    {
        HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, lock);
        EXPECT_EQ(0, CreateBMPFile(&path[0], screen, second.hbm, nullptr));
        CloseHandle(lock);
    }
    EXPECT_EQ(before, ReadAll(path));
    EXPECT_EQ(1u, CountFiles(dir.Path()));

    // A folder that does not exist.
    std::string missing = dir / "no\\such\\Vantora.BMP";
    EXPECT_EQ(0, CreateBMPFile(&missing[0], screen, second.hbm, nullptr));

    // And a write that works replaces it.
    ASSERT_EQ(1, CreateBMPFile(&path[0], screen, second.hbm, nullptr));
    EXPECT_EQ(54u + 64 * 4 * 32, ReadAll(path).size());
    EXPECT_EQ(1u, CountFiles(dir.Path()));
    ReleaseDC(nullptr, screen);
}
