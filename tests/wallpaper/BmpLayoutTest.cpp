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

// A top-down DIB section whose pixels and palette the test fills itself.
struct TestDib {
    HBITMAP hbm = nullptr;
    BYTE* bits = nullptr;
    DWORD stride;
    std::vector<RGBQUAD> palette;

    TestDib(int w, int h, int bpp)
    {
        std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
        BITMAPINFO* bi = reinterpret_cast<BITMAPINFO*>(block.data());
        bi->bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, static_cast<WORD>(bpp), BI_RGB};
        bi->bmiHeader.biClrUsed = bpp <= 8 ? (1u << bpp) : 0;
        for (DWORD i = 0; i < bi->bmiHeader.biClrUsed; i++) {
            RGBQUAD q = {static_cast<BYTE>(i * 37), static_cast<BYTE>(255 - i), static_cast<BYTE>(i * 3), 0};
            if (bpp == 1)
                q = i ? RGBQUAD{255, 255, 255, 0} : RGBQUAD{0, 0, 0, 0};
            palette.push_back(bi->bmiColors[i] = q);
        }
        void* p = nullptr;
        hbm = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &p, nullptr, 0);
        bits = static_cast<BYTE*>(p);
        stride = ((w * bpp + 31) & ~31) / 8;
        // Every row different; the unused fourth byte of 32-bit pixels stays 0.
        for (int y = 0; bits && y < h; y++)
            for (DWORD x = 0; x < stride; x++)
                bits[y * stride + x] = (bpp == 32 && x % 4 == 3) ? 0 : static_cast<BYTE>(y * 7 + x * 13 + 1);
    }
    ~TestDib() { if (hbm) DeleteObject(hbm); }
    TestDib(const TestDib&) = delete;
    TestDib& operator=(const TestDib&) = delete;
};

// CreateBMPFile with the screen's DC.
int Write(std::string path, HBITMAP hbm)
{
    HDC screen = GetDC(nullptr);
    int ok = CreateBMPFile(&path[0], screen, hbm, nullptr);
    ReleaseDC(nullptr, screen);
    return ok;
}

size_t CountFiles(const std::string& dir)
{
    size_t n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
        n += !(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    return n;
}

} // namespace

TEST(BmpLayout, FieldsTableAndRowsAtEveryDepthAndScreenSize)
{
    ScratchDir dir("vntbmp");
    const SIZE sizes[] = {{1024, 768}, {1366, 768}, {800, 600}, {640, 480}};
    for (SIZE sz : sizes) {
        for (int bpp : {1, 4, 8, 16, 24, 32}) {
            const int w = sz.cx, h = sz.cy;
            SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + "x" + std::to_string(bpp));
            TestDib dib(w, h, bpp);
            ASSERT_TRUE(dib.hbm && dib.bits);
            ASSERT_EQ(1, Write(dir / "layout.bmp", dib.hbm));
            const std::string f = ReadAll(dir / "layout.bmp");

            // Every depth below 24 bits has a full colour table, 16 bits included.
            const DWORD colours = bpp < 24 ? (1u << bpp) : 0;
            const DWORD stride = ((w * bpp + 31) & ~31) / 8;
            const DWORD image = stride * h;
            const DWORD offset = 14 + 40 + 4 * colours;
            ASSERT_EQ(offset + image, f.size());
            BITMAPFILEHEADER fh;
            BITMAPINFOHEADER ih;
            memcpy(&fh, f.data(), sizeof fh);
            memcpy(&ih, f.data() + sizeof fh, sizeof ih);
            EXPECT_EQ(0x4D42, fh.bfType); // "BM"
            EXPECT_EQ(offset + image, fh.bfSize);
            EXPECT_EQ(offset, fh.bfOffBits);
            EXPECT_EQ(40u, ih.biSize);
            EXPECT_EQ(w, ih.biWidth);
            EXPECT_EQ(h, ih.biHeight); // positive: rows bottom-up
            EXPECT_EQ(1, ih.biPlanes);
            EXPECT_EQ(bpp, ih.biBitCount);
            EXPECT_EQ(static_cast<DWORD>(BI_RGB), ih.biCompression);
            EXPECT_EQ(image, ih.biSizeImage);
            EXPECT_EQ(colours, ih.biClrUsed);

            // The table holds the bitmap's colours (16-bit pixels have none to give).
            for (DWORD i = 0; bpp <= 8 && i < colours; i++) {
                EXPECT_EQ(0, memcmp(f.data() + 54 + 4 * i, &dib.palette[i], 3)) << "entry " << i;
            }

            // The file's first row is the bitmap's bottom row; each row starts on its padded
            // stride, and the bits of a last partial byte match too.
            const DWORD whole = w * bpp / 8;
            const int restBits = (w * bpp) % 8;
            const BYTE mask = static_cast<BYTE>(0xFF00 >> restBits);
            for (int row = 0; row < h; row++) {
                const BYTE* got = reinterpret_cast<const BYTE*>(f.data()) + offset + row * stride;
                const BYTE* want = dib.bits + (h - 1 - row) * dib.stride;
                ASSERT_EQ(0, memcmp(got, want, whole)) << "row " << row;
                if (restBits) {
                    ASSERT_EQ(want[whole] & mask, got[whole] & mask) << "row " << row;
                }
            }
        }
    }
    // Other display depths take the next depth a file can hold; a size beyond 31 bits has
    // no image size.
    EXPECT_EQ(4, BmpColorBits(2));
    EXPECT_EQ(16, BmpColorBits(15));
    EXPECT_EQ(32, BmpColorBits(48));
    EXPECT_EQ(0u, BmpImageSize(100000, 100000, 32));
}

// The desktop may load the file at any moment: a write that fails leaves the previous
// picture whole, and no temporary file behind.
TEST(BmpLayout, FailedWriteKeepsThePreviousFile)
{
    ScratchDir dir("vntbmp");
    const std::string path = dir / "Vantora.BMP";
    TestDib first(64, 32, 24), second(64, 32, 32);
    ASSERT_EQ(1, Write(path, first.hbm));
    const std::string before = ReadAll(path);
    ASSERT_EQ(54u + 64 * 3 * 32, before.size());

    // Not a bitmap.
    EXPECT_EQ(0, Write(path, nullptr));
    EXPECT_EQ(nullptr, CreateBitmapInfoStruct(reinterpret_cast<HBITMAP>(GetStockObject(BLACK_BRUSH))));
    EXPECT_EQ(before, ReadAll(path));
    // The target cannot be replaced while someone holds it open without sharing.
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(0, Write(path, second.hbm));
    CloseHandle(lock);
    EXPECT_EQ(before, ReadAll(path));
    EXPECT_EQ(1u, CountFiles(dir.Path()));
    // A folder that does not exist.
    EXPECT_EQ(0, Write(dir / "no\\such\\Vantora.BMP", second.hbm));

    // And a write that works replaces it.
    ASSERT_EQ(1, Write(path, second.hbm));
    EXPECT_EQ(54u + 64 * 4 * 32, ReadAll(path).size());
    EXPECT_EQ(1u, CountFiles(dir.Path()));
}
