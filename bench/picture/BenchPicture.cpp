// Times iPicture::Blast drawing large photos into a 1920 x 1080 memory bitmap, as the
// wallpaper changer and a full-HD slideshow do, and reports the process's peak memory.
// Usage: bench_picture RUNS FILE...
// Prints one line per file: "blast NAME best_ms=... mean_ms=... load_ms=... render_ms=...
// blur_best_ms=..." (the last with blurred edges around the picture).
// Usage: bench_picture memory FILE [platform]
// Draws the file once, loaded by our loader or by the platform's (OleLoadPicture), and
// prints the process's peak memory: run it in a fresh process per file.
#include <windows.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "picture/FwFile.h"
#include "picture/FwFileStream.h"
#include "picture/iPicture.h"
#include "../BenchUtil.h"

namespace {

const int kWidth = 1920, kHeight = 1080;

// A hidden 1920 x 1080 window (the frame) and a memory DC with a bitmap of its size.
class Target {
public:
    Target()
    {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VntBenchFrame";
        RegisterClassA(&wc);
        hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr,
                               nullptr, wc.hInstance, nullptr);
        HDC screen = GetDC(nullptr);
        hdc = CreateCompatibleDC(screen);
        hbm = CreateCompatibleBitmap(screen, kWidth, kHeight);
        ReleaseDC(nullptr, screen);
        hOld = SelectObject(hdc, hbm);
    }
    ~Target()
    {
        SelectObject(hdc, hOld);
        DeleteObject(hbm);
        DeleteDC(hdc);
        DestroyWindow(hWnd);
    }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    HWND hWnd;
    HDC hdc;

private:
    HBITMAP hbm;
    HGDIOBJ hOld;
};

void PrintPeak()
{
    PROCESS_MEMORY_COUNTERS pmc = {};
    pmc.cb = sizeof(pmc);
    if (GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof(pmc)))
        printf("peak_working_set_mb=%.1f peak_pagefile_mb=%.1f\n", pmc.PeakWorkingSetSize / 1048576.0,
               pmc.PeakPagefileUsage / 1048576.0);
}

// One picture loaded and drawn into the frame, as the slideshow draws it.
int DrawOnce(const char* path, bool platform)
{
    Target target;
    RECT rc = {};
    iPicture pict;
    int loaded = 0;
    if (platform) {
        FwFile file;
        void* p = nullptr;
        if (file.Open(path, 0)) {
            FwFileStream stream(&file);
            if (SUCCEEDED(OleLoadPicture(&stream, 0, FALSE, IID_IPicture, &p)) && p)
                pict.pUnk = static_cast<IUnknown*>(p);
        }
        loaded = pict.pUnk != nullptr;
    } else {
        loaded = pict.Load(path);
    }
    pict.GetBestFitRect(target.hWnd, rc, target.hdc, 1);
    int drawn = loaded && pict.Render(target.hdc, rc, nullptr);
    printf("memory %s loader=%s drawn=%d ", BaseName(path), platform ? "platform" : "ours", drawn);
    PrintPeak();
    return drawn ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "memory") == 0)
        return DrawOnce(argv[2], argc > 3 && strcmp(argv[3], "platform") == 0);
    if (argc < 3) {
        fprintf(stderr, "usage: bench_picture RUNS FILE...\n");
        return 2;
    }
    int runs = atoi(argv[1]);
    if (runs < 1)
        runs = 1;
    Target target;
    RECT frame;
    GetClientRect(target.hWnd, &frame);
    printf("frame %ldx%ld\n", frame.right, frame.bottom);
    for (int i = 2; i < argc; ++i) {
        const char* path = argv[i];
        double best = 1e30, total = 0;
        for (int run = 0; run < runs; ++run) {
            iPicture pict;
            double start = NowMs();
            pict.Blast(target.hWnd, path, 1, target.hdc, "Photographs (c) Corvane Software", "Caption", 1);
            double ms = NowMs() - start;
            best = ms < best ? ms : best;
            total += ms;
        }
        // The same frame with the picture's blurred copy around it instead of black.
        double blurBest = 1e30;
        for (int run = 0; run < runs; ++run) {
            iPicture pict;
            double start = NowMs();
            pict.BlastInto(target.hdc, frame, path, 1, "Photographs (c) Corvane Software", "Caption", 1, 1);
            double ms = NowMs() - start;
            blurBest = ms < blurBest ? ms : blurBest;
        }
        // Where the time goes: decoding, then reducing into the frame.
        iPicture pict;
        double start = NowMs();
        int loaded = pict.Load(path);
        double loadMs = NowMs() - start;
        SIZE size = pict.GetImageSize(target.hdc);
        RECT rc = frame;
        pict.GetBestFitRect(target.hWnd, rc, target.hdc, 1);
        start = NowMs();
        pict.Render(target.hdc, rc, nullptr);
        double renderMs = NowMs() - start;
        printf("blast %s loaded=%d size=%ldx%ld best_ms=%.0f mean_ms=%.0f load_ms=%.0f render_ms=%.0f "
               "blur_best_ms=%.0f\n",
               BaseName(path), loaded, size.cx, size.cy, best, total / runs, loadMs, renderMs, blurBest);
        fflush(stdout);
    }
    PrintPeak();
    return 0;
}
