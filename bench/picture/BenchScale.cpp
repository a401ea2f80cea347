// Times the scaling step of drawing a large photo: AreaScaler alone on the pixels in memory,
// and iPicture::Render of a loaded picture into a bitmap of the target size (reading the
// pixels, scaling, copying the result to the bitmap), beside the platform's own
// IPicture::Render with the COLORONCOLOR stretch mode used before. Saves both results as
// BMP files for scripts/bench-scale to compare with ImageMagick's -resize.
// Usage: bench_scale RUNS FILE WIDTH HEIGHT OURS.bmp PLATFORM.bmp
// Prints "scale NAME best_ms=... mean_ms=... best_cpu_ms=..." lines.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <vector>
#include "picture/AreaScaler.h"
#include "picture/iPicture.h"
#include "../BenchUtil.h"

namespace {

// A 24-bit bottom-up DIB section selected into a memory DC, writable as a BMP file.
class Canvas {
public:
    Canvas(int width, int height) : bmi()
    {
        bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
        bmi.bmiHeader.biWidth = width;
        bmi.bmiHeader.biHeight = height;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 24;
        bmi.bmiHeader.biCompression = BI_RGB;
        hdc = CreateCompatibleDC(nullptr);
        hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
        hOld = SelectObject(hdc, hbm);
    }
    ~Canvas()
    {
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
        DeleteDC(hdc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool Save(const char* path) const
    {
        GdiFlush();
        DWORD size = ((bmi.bmiHeader.biWidth * 3 + 3) & ~3) * bmi.bmiHeader.biHeight;
        BITMAPFILEHEADER fh = {};
        fh.bfType = 0x4D42;
        fh.bfOffBits = sizeof fh + sizeof bmi.bmiHeader;
        fh.bfSize = fh.bfOffBits + size;
        FILE* f = fopen(path, "wb");
        if (!f)
            return false;
        bool ok = fwrite(&fh, sizeof fh, 1, f) == 1 && fwrite(&bmi.bmiHeader, sizeof bmi.bmiHeader, 1, f) == 1 &&
                  fwrite(pBits, size, 1, f) == 1;
        return fclose(f) == 0 && ok;
    }
    HDC hdc;

private:
    BITMAPINFO bmi;
    HBITMAP hbm;
    HGDIOBJ hOld;
    void* pBits = nullptr;
};

// The thread's processor time in milliseconds: on a busy machine it says more than the
// clock.
double CpuMs()
{
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user))
        return 0;
    ULARGE_INTEGER k = {{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u = {{user.dwLowDateTime, user.dwHighDateTime}};
    return (k.QuadPart + u.QuadPart) / 10000.0;
}

template <class F>
void Time(const char* what, const char* name, int runs, F draw)
{
    double best = 1e30, total = 0, bestCpu = 1e30;
    for (int run = 0; run < runs; ++run) {
        double start = NowMs(), cpu = CpuMs();
        draw();
        double ms = NowMs() - start;
        cpu = CpuMs() - cpu;
        best = ms < best ? ms : best;
        bestCpu = cpu < bestCpu ? cpu : bestCpu;
        total += ms;
    }
    printf("%s %s best_ms=%.1f mean_ms=%.1f best_cpu_ms=%.1f\n", what, name, best, total / runs, bestCpu);
    fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        fprintf(stderr, "usage: bench_scale RUNS FILE WIDTH HEIGHT OURS.bmp PLATFORM.bmp\n");
        return 2;
    }
    int runs = atoi(argv[1]) > 0 ? atoi(argv[1]) : 1;
    const int width = atoi(argv[3]), height = atoi(argv[4]);
    CoInitialize(nullptr);
    {
        iPicture pict;
        if (!pict.Load(argv[2])) {
            fprintf(stderr, "bench_scale: cannot load %s\n", argv[2]);
            return 1;
        }
        // What the platform's picture holds: a DIB section is read in place, anything else
        // is copied first.
        OLE_HANDLE handle = 0;
        static_cast<IPicture*>(pict.pUnk)->get_Handle(&handle);
        DIBSECTION ds = {};
        int got = GetObjectA(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof ds, &ds);
        printf("bitmap %s bits_per_pixel=%d\n", got == sizeof ds ? "dib_section" : "device_dependent",
               ds.dsBm.bmBitsPixel);
        RECT rc = {0, 0, width, height};
        {
            // The scaler alone, on the picture's pixels copied into memory once.
            HBITMAP hbm = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
            BITMAP bm = {};
            GetObjectA(hbm, sizeof bm, &bm);
            BITMAPINFO bmi = {};
            bmi.bmiHeader = {sizeof bmi.bmiHeader, bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB};
            std::vector<BYTE> pixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4);
            std::vector<BYTE> out(static_cast<size_t>(width) * height * 4);
            HDC dc = CreateCompatibleDC(nullptr);
            GetDIBits(dc, hbm, 0, bm.bmHeight, pixels.data(), &bmi, DIB_RGB_COLORS);
            DeleteDC(dc);
            PixelView src = {pixels.data(), bm.bmWidth, bm.bmHeight, bm.bmWidth * 4, 4};
            PixelView dst = {out.data(), width, height, width * 4, 4};
            AreaScaler scaler(bm.bmWidth, bm.bmHeight, width, height);
            Time("scaler", BaseName(argv[2]), runs, [&] { scaler.Scale(src, dst, 1); });
            // The same pixels in 24 bits, as our loader keeps a colour photo.
            const int stride24 = (bm.bmWidth * 3 + 3) & ~3;
            std::vector<BYTE> pixels24(static_cast<size_t>(stride24) * bm.bmHeight);
            for (int y = 0; y < bm.bmHeight; ++y)
                for (int x = 0; x < bm.bmWidth; ++x)
                    memcpy(&pixels24[static_cast<size_t>(y) * stride24 + x * 3], src.Row(y) + x * 4, 3);
            PixelView src24 = {pixels24.data(), bm.bmWidth, bm.bmHeight, stride24, 3};
            Time("scaler24", BaseName(argv[2]), runs, [&] { scaler.Scale(src24, dst, 1); });
        }
        Canvas ours(width, height), platform(width, height);
        Time("scale", BaseName(argv[2]), runs, [&] { pict.Render(ours.hdc, rc, nullptr); });
        // What drawing did before: the platform's renderer, dropping pixels.
        IPicture* p = static_cast<IPicture*>(pict.pUnk);
        long w = 0, h = 0;
        pict.GetHIMETRICSize(w, h);
        Time("platform", BaseName(argv[2]), runs, [&] {
            int old = SetStretchBltMode(platform.hdc, COLORONCOLOR);
            p->Render(platform.hdc, 0, 0, width, height, 0, h, w, -h, nullptr);
            SetStretchBltMode(platform.hdc, old);
        });
        if (!ours.Save(argv[5]) || !platform.Save(argv[6]))
            fprintf(stderr, "bench_scale: cannot save the results\n");
    }
    CoUninitialize();
    return 0;
}
