#include "picture/PictureBits.h"
#include <new>

namespace {

// Rows copied at a time: a band of a wide photo stays within the processor's cache.
const int kBandBytes = 1 << 20;

} // namespace

PictureBits::PictureBits(HBITMAP hbm) : hBitmap(hbm), view(), dc(nullptr), bmi(), bandFirst(0), bandRows(0)
{
    if (!hbm)
        return;
    DIBSECTION ds = {};
    if (GetObjectA(hbm, sizeof ds, &ds) == sizeof ds && ds.dsBm.bmBits && ds.dsBmih.biCompression == BI_RGB &&
        (ds.dsBm.bmBitsPixel == 24 || ds.dsBm.bmBitsPixel == 32) && ds.dsBm.bmWidth > 0 && ds.dsBm.bmHeight > 0) {
        GdiFlush(); // drawing into the section may still be queued
        const int stride = ((ds.dsBm.bmWidth * ds.dsBm.bmBitsPixel + 31) / 32) * 4;
        const bool bottomUp = ds.dsBmih.biHeight > 0;
        BYTE* bits = static_cast<BYTE*>(ds.dsBm.bmBits);
        view.pBits = bottomUp ? bits + static_cast<ptrdiff_t>(ds.dsBm.bmHeight - 1) * stride : bits;
        view.width = ds.dsBm.bmWidth;
        view.height = ds.dsBm.bmHeight;
        view.stride = bottomUp ? -stride : stride;
        view.bytesPerPixel = ds.dsBm.bmBitsPixel / 8;
        return;
    }
    BITMAP bm = {};
    if (!dc.hDC || GetObjectA(hbm, sizeof bm, &bm) != sizeof bm || bm.bmWidth <= 0 || bm.bmHeight <= 0 ||
        bm.bmWidth > kBandBytes / 4)
        return;
    bandRows = kBandBytes / 4 / bm.bmWidth;
    band.reset(new (std::nothrow) BYTE[static_cast<size_t>(bandRows) * bm.bmWidth * 4]);
    if (!band)
        return;
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = bm.bmWidth;
    bmi.bmiHeader.biHeight = bm.bmHeight; // bottom-up: scan lines count from the bottom
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    view.width = bm.bmWidth;
    view.height = bm.bmHeight;
    view.stride = bm.bmWidth * 4;
    view.bytesPerPixel = 4;
    bandFirst = 0;
    bandRows = -bandRows; // nothing copied yet; the magnitude is the band's capacity
}

const BYTE* PictureBits::Row(int y)
{
    if (y < 0 || y >= view.height)
        return nullptr;
    if (view.pBits)
        return view.Row(y);
    if (!band)
        return nullptr;
    const int capacity = bandRows < 0 ? -bandRows : bandRows;
    if (bandRows <= 0 || y < bandFirst || y >= bandFirst + bandRows) {
        const int rows = view.height - y < capacity ? view.height - y : capacity;
        // Rows y to y + rows - 1 from the top are scan lines from height - y - rows up.
        if (GetDIBits(dc.hDC, hBitmap, view.height - y - rows, rows, band.get(), &bmi, DIB_RGB_COLORS) != rows) {
            bandRows = -capacity;
            return nullptr;
        }
        bandFirst = y;
        bandRows = rows;
    }
    // The band is bottom-up too: its last row is row bandFirst.
    return band.get() + static_cast<ptrdiff_t>(bandFirst + bandRows - 1 - y) * view.stride;
}
