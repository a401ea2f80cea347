// The wallpaper picture of the options record: the next picture drawn at the desktop's
// size into the wallpaper bitmap file, which then becomes the desktop wallpaper.
#include "options/Opts.h"
#include "base/AppInfo.h"
#include "base/Mbcs.h"
#include "base/Path.h"
#include "base/RegKey.h"
#include "base/DrawUtil.h"
#include "base/FwDC.h"
#include "picture/FwFile.h"
#include "picture/iPicture.h"
#include "base/GdiHolders.h"
#include "wallpaper/ReplacingFile.h"
#include "wallpaper/UserWallpaper.h"
#include "wallpaper/WallpaperBmp.h"
#include "wallpaper/OptsWallpaper.h"

static const char kBmpName[] = "Vantora.BMP";

void Opts::GetPathForBMP(char* path)
{
    DWORD n = GetTempPathA(MAX_PATH, path);
    if (n == 0 || n >= MAX_PATH || !IsDirWritable(path)) {
        n = GetWindowsDirectoryA(path, MAX_PATH);
        if (n == 0 || n >= MAX_PATH)
            path[0] = '\0';
    }
    AppendBackSlash(path);
    size_t len = strlen(path);
    if (len + sizeof(kBmpName) <= MAX_PATH)
        memcpy(path + len, kBmpName, sizeof(kBmpName));
    else
        path[0] = '\0';
}

void Opts::DelBMP()
{
    char path[MAX_PATH];
    GetPathForBMP(path);
    if (path[0])
        ReplacingFile::Remove(path);
}

void SetWallpaper(const char* file)
{
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, file ? 4 : 0, const_cast<char*>(file ? file : ""),
                          SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}

void Opts::SetNextWP()
{
    char path[MAX_PATH];
    GetPathForBMP(path);
    char picture[cbPictBuffer], caption[cbPictBuffer];
    GetNextPict(0, picture, caption);

    int written = 0;
    RECT rc;
    if (!GetClientRect(GetDesktopWindow(), &rc))
        SetRectEmpty(&rc);
    {
        FwDC display; // the whole display
        MemoryDC mem(display);
        GdiObject bitmap(CreateCompatibleBitmap(display, rc.right - rc.left, rc.bottom - rc.top));
        if (mem.hDC && bitmap.hObj && path[0]) {
            HBITMAP hBitmap = static_cast<HBITMAP>(bitmap.hObj);
            DCSelection selection(mem.hDC, hBitmap);
            FillBlack(mem.hDC, rc);
            iPicture pict;
            pict.Blast(nullptr, picture, 1, mem.hDC, pszCopyrightText, caption, 1);
            // The pixels are read with the bitmap out of the DC, as the system asks.
            selection.Restore();
            written = CreateBMPFile(path, mem.hDC, hBitmap, nullptr);
        }
    }
    // A failed write changes nothing: the desktop keeps the picture it shows.
    if (written) {
        RegKey settings(AppInfo::Data().pszRootKey, 1);
        RememberUserWallpaper(settings);
        SetWallpaper(path);
    }
}
