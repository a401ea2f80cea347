// The wallpaper picture of the options record: the next picture drawn at the desktop's
// size (with several monitors, one picture per monitor over all of them) into the
// wallpaper bitmap file, which then becomes the desktop wallpaper.
#include "options/Opts.h"
#include <vector>
#include "base/AppInfo.h"
#include "base/MonitorRects.h"
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
#include "wallpaper/WallpaperLayout.h"

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

namespace {

// Draws a picture fitted into its part of the wallpaper bitmap in mem; a part the tiling
// wraps is drawn aside and copied in pieces.
void DrawPart(HDC mem, SIZE size, const RECT& part, const char* picture, const char* caption, int blurEdges)
{
    iPicture pict;
    RECT whole = {0, 0, size.cx, size.cy}, inside;
    if (IntersectRect(&inside, &part, &whole) && EqualRect(&inside, &part)) {
        pict.BlastInto(mem, part, picture, 1, Opts::pszCopyrightText, caption, 1, blurEdges);
        return;
    }
    RECT own = {0, 0, part.right - part.left, part.bottom - part.top};
    MemoryDC aside(mem);
    GdiObject bitmap(CreateCompatibleBitmap(mem, own.right, own.bottom));
    DCSelection selection(aside.hDC, bitmap.hObj);
    if (!selection.IsReady())
        return; // the part stays black
    FillBlack(aside.hDC, own);
    pict.BlastInto(aside.hDC, own, picture, 1, Opts::pszCopyrightText, caption, 1, blurEdges);
    DrawWrapped(mem, size, part, aside.hDC);
}

} // namespace

void Opts::SetNextWP()
{
    char path[MAX_PATH];
    GetPathForBMP(path);

    // One monitor: a bitmap of the desktop's size. Several: one over all of them, each
    // monitor's part holding a picture of its own.
    std::vector<RECT> monitors = GetMonitorRects();
    const int several = monitors.size() >= 2;
    const int span = several && CanSpanWallpaper();
    std::vector<RECT> parts(1);
    SIZE size = {0, 0};
    if (several) {
        parts.resize(monitors.size());
        size = LayoutWallpaper(monitors.data(), static_cast<int>(monitors.size()), span, parts.data());
    } else {
        if (!GetClientRect(GetDesktopWindow(), &parts[0]))
            SetRectEmpty(&parts[0]);
        size.cx = parts[0].right - parts[0].left;
        size.cy = parts[0].bottom - parts[0].top;
    }

    int written = 0;
    {
        FwDC display; // the whole display
        MemoryDC mem(display);
        GdiObject bitmap(CreateCompatibleBitmap(display, size.cx, size.cy));
        if (mem.hDC && bitmap.hObj && path[0]) {
            HBITMAP hBitmap = static_cast<HBITMAP>(bitmap.hObj);
            DCSelection selection(mem.hDC, hBitmap);
            RECT all = {0, 0, size.cx, size.cy};
            FillBlack(mem.hDC, all);
            for (const RECT& part : parts) {
                char picture[cbPictBuffer], caption[cbPictBuffer];
                GetNextPict(0, picture, caption);
                DrawPart(mem.hDC, size, part, picture, caption, dwWPBlurEdges ? 1 : 0);
            }
            // The pixels are read with the bitmap out of the DC, as the system asks.
            selection.Restore();
            written = CreateBMPFile(path, mem.hDC, hBitmap, nullptr);
        }
    }
    // A failed write changes nothing: the desktop keeps the picture it shows.
    if (written) {
        RegKey settings(AppInfo::Data().pszRootKey, 1);
        RememberUserWallpaper(settings);
        if (several)
            SetAllMonitorsStyle(span);
        SetWallpaper(path);
    }
}
