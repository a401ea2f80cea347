#include "GradualReplace.h"

namespace {

const int kStrip = 4;   // rows or columns per sweep strip
const int kPasses = 8;  // passes of an interlaced replacement

// Copies rows [y, y + h) or columns [x, x + w), clipped to the picture.
void CopyRect(HDC hdcDst, HDC hdcSrc, int W, int H, int x, int y, int w, int h)
{
    int x0 = x < 0 ? 0 : x, y0 = y < 0 ? 0 : y;
    int x1 = x + w > W ? W : x + w, y1 = y + h > H ? H : y + h;
    if (x1 > x0 && y1 > y0)
        BitBlt(hdcDst, x0, y0, x1 - x0, y1 - y0, hdcSrc, x0, y0, SRCCOPY);
}

int Pending(PendingFn pfn, void* pContext)
{
    return pfn && pfn(pContext);
}

void Pause(DWORD ms)
{
    if (ms)
        Sleep(ms);
}

} // namespace

void GradualChooser::Choose(int r, int& dir, int& style)
{
    dir = r % 4;
    if (dir == iPrevDir)
        dir = (r / 2) % 4;
    iPrevDir = dir;

    style = (r / 4) % 2;
    int run = (style == iPrevStyle ? nRun : 0) + 1;
    if (run > 3) {
        run = 1;
        style = 1 - style;
    }
    iPrevStyle = style;
    nRun = run;
}

int CopyGradually(HDC hdcDst, HDC hdcSrc, int W, int H, int dir, int style, DWORD pace,
                  PendingFn pfnPending, void* pContext)
{
    if (W <= 0 || H <= 0)
        return 1;
    const bool bRows = dir == gradTopToBottom || dir == gradBottomToTop;
    const bool bForward = dir == gradTopToBottom || dir == gradLeftToRight;
    const int extent = bRows ? H : W;

    auto copyLine = [&](int pos, int width) {
        if (bRows)
            CopyRect(hdcDst, hdcSrc, W, H, 0, pos, W, width);
        else
            CopyRect(hdcDst, hdcSrc, W, H, pos, 0, width, H);
    };

    if (style == gradSweep) {
        // Backwards the first strip starts at extent - 4 and the last is the one reaching 0.
        const DWORD pause = pace * 1000u / static_cast<DWORD>(extent);
        const int step = bForward ? kStrip : -kStrip;
        for (int pos = bForward ? 0 : extent - kStrip; bForward ? pos < extent : pos > -kStrip; pos += step) {
            if (Pending(pfnPending, pContext))
                return 0;
            copyLine(pos, kStrip);
            Pause(pause);
        }
        return 1;
    }

    // Interlaced: only row replacements pause, once after each pass.
    const DWORD pause = bRows ? pace * 8000u / static_cast<DWORD>(extent) : 0;
    for (int pass = 0; pass < kPasses; ++pass) {
        if (Pending(pfnPending, pContext))
            return 0;
        for (int k = 0;; ++k) {
            int pos = bForward ? pass + k * kPasses : extent - 1 - pass - k * kPasses;
            if (pos < 0 || pos >= extent)
                break;
            if (Pending(pfnPending, pContext)) {
                Pause(pause);
                return 0;
            }
            copyLine(pos, 1);
        }
        Pause(pause);
    }
    return 1;
}
