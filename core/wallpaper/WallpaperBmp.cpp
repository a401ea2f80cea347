#include "wallpaper/WallpaperBmp.h"
#include "base/MemHolders.h"
#include "wallpaper/ReplacingFile.h"

WORD BmpColorBits(WORD planesTimesBits)
{
    WORD c = planesTimesBits;
    if (c == 0)
        return 0;
    if (c == 1)
        return 1;
    if (c <= 4)
        return 4;
    if (c <= 8)
        return 8;
    if (c <= 16)
        return 16;
    if (c <= 24)
        return 24;
    return 32;
}

DWORD BmpImageSize(LONG width, LONG height, WORD colorBits)
{
    if (width < 0 || height < 0)
        return 0;
    ULONGLONG row = ((static_cast<ULONGLONG>(width) * colorBits + 31) & ~31ull) / 8;
    ULONGLONG size = row * static_cast<ULONGLONG>(height);
    return size > 0x7FFFFFFFull ? 0 : static_cast<DWORD>(size);
}

// Entries of the colour table for c colour bits.
static DWORD ColorTableEntries(WORD c)
{
    return c < 24 ? (1ul << c) : 0;
}

BITMAPINFO* CreateBitmapInfoStruct(HBITMAP bitmap)
{
    BITMAP bm;
    if (!bitmap || GetObjectA(bitmap, sizeof(bm), &bm) != sizeof(bm))
        return nullptr;
    WORD c = BmpColorBits(static_cast<WORD>(bm.bmPlanes * bm.bmBitsPixel));
    if (c == 0)
        return nullptr;
    DWORD imageSize = BmpImageSize(bm.bmWidth, bm.bmHeight, c);
    if (imageSize == 0 && bm.bmWidth > 0 && bm.bmHeight > 0)
        return nullptr; // too large to describe
    DWORD entries = ColorTableEntries(c);
    BITMAPINFO* info = static_cast<BITMAPINFO*>(
        LocalAlloc(LPTR, sizeof(BITMAPINFOHEADER) + entries * sizeof(RGBQUAD)));
    if (!info)
        return nullptr;
    BITMAPINFOHEADER& h = info->bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biWidth = bm.bmWidth;
    h.biHeight = bm.bmHeight;
    h.biPlanes = bm.bmPlanes;
    h.biBitCount = bm.bmBitsPixel;
    h.biCompression = BI_RGB;
    h.biSizeImage = imageSize;
    h.biClrUsed = entries;
    h.biClrImportant = 0;
    return info;
}

int CreateBMPFile(char* file, HDC dc, HBITMAP bitmap, BITMAPINFO* info)
{
    if (!file || !file[0])
        return 0;
    LocalBlock ownedInfo(nullptr);
    if (!info) {
        info = CreateBitmapInfoStruct(bitmap);
        if (!info)
            return 0;
        ownedInfo.p = info;
    }
    BITMAPINFOHEADER& h = info->bmiHeader;
    // A caller's block may be wrong: the sizes come from its geometry, never from its
    // size fields, and the table is no longer than its colour bits allow.
    if (h.biSize != sizeof(BITMAPINFOHEADER) || h.biCompression != BI_RGB || h.biHeight <= 0)
        return 0;
    const WORD c = BmpColorBits(static_cast<WORD>(h.biPlanes * h.biBitCount));
    const DWORD imageSize = BmpImageSize(h.biWidth, h.biHeight, c);
    const DWORD maxColors = ColorTableEntries(c);
    // The system fills a whole table below 16 bits even where none was asked for.
    const DWORD colorsUsed =
        h.biClrUsed ? (h.biClrUsed < maxColors ? h.biClrUsed : maxColors) : (c <= 8 ? maxColors : 0);
    if (c == 0 || imageSize == 0)
        return 0;
    LocalBlock pixels(LocalAlloc(LMEM_FIXED, imageSize));
    if (!pixels.p)
        return 0;
    if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(h.biHeight), pixels.p, info, DIB_RGB_COLORS))
        return 0;
    // The system may touch the header while it reads; the file describes what it holds.
    h.biSizeImage = imageSize;
    h.biClrUsed = colorsUsed;

    ReplacingFile out(file);
    if (!out.IsReady())
        return 0;
    const DWORD infoSize = sizeof(BITMAPINFOHEADER) + colorsUsed * sizeof(RGBQUAD);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42; // "BM"
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + infoSize;
    fh.bfSize = fh.bfOffBits + imageSize;
    int ok = out.file.WriteBin(&fh, sizeof(fh));
    ok = out.file.WriteBin(info, infoSize) && ok;
    ok = out.file.WriteBin(pixels.p, imageSize) && ok;
    return ok && out.Commit() ? 1 : 0;
}
