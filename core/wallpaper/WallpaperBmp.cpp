#include "wallpaper/WallpaperBmp.h"
#include "base/Mbcs.h"
#include "base/Path.h"
#include "picture/FwFile.h"
#include "picture/GdiHolders.h"

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

namespace {

// A file written under a temporary name in the target's folder; deleted unless it was
// put in the target's place.
class TempFile {
public:
    char szPath[MAX_PATH];
    FwFile file;

    explicit TempFile(const char* target)
    {
        szPath[0] = '\0';
        char folder[MAX_PATH];
        StrCopyN(folder, target, sizeof(folder));
        StripFileName(folder);
        if (!folder[0])
            StrCopyN(folder, ".", sizeof(folder));
        // Makes a unique empty file, so two writers never share a temporary file.
        if (!GetTempFileNameA(folder, "vnt", 0, szPath))
            szPath[0] = '\0';
        else
            file.Open(szPath, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    }
    ~TempFile()
    {
        file.Close();
        if (szPath[0])
            FwFile::Delete(szPath);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // Closes the file and puts it in the target's place; 1 on success.
    int Commit(const char* target)
    {
        file.Close();
        if (!szPath[0] || !MoveFileExA(szPath, target, MOVEFILE_REPLACE_EXISTING))
            return 0;
        szPath[0] = '\0';
        return 1;
    }
};

} // namespace

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
    // The layout the file is written with; the system may touch the header while it reads
    // the pixels, but the file must stay consistent with what it holds.
    const DWORD imageSize = h.biSizeImage;
    const DWORD colorsUsed = h.biClrUsed;
    const LONG height = h.biHeight;
    if (imageSize == 0 || height <= 0)
        return 0;
    LocalBlock pixels(LocalAlloc(LMEM_FIXED, imageSize));
    if (!pixels.p)
        return 0;
    if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.p, info, DIB_RGB_COLORS))
        return 0;
    h.biSizeImage = imageSize;
    h.biClrUsed = colorsUsed;

    TempFile temp(file);
    if (!temp.file.IsReady())
        return 0;
    const DWORD infoSize = sizeof(BITMAPINFOHEADER) + colorsUsed * sizeof(RGBQUAD);
    BITMAPFILEHEADER fh = {};
    fh.bfType = 0x4D42; // "BM"
    fh.bfOffBits = sizeof(BITMAPFILEHEADER) + infoSize;
    fh.bfSize = fh.bfOffBits + imageSize;
    int ok = temp.file.WriteBin(&fh, sizeof(fh));
    ok = temp.file.WriteBin(info, infoSize) && ok;
    ok = temp.file.WriteBin(pixels.p, imageSize) && ok;
    return ok && temp.Commit(file) ? 1 : 0;
}
