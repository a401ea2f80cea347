#include "wallpaper/WallpaperLayout.h"

namespace {

// value modulo size, from 0 to size - 1 also for a negative value.
long Wrap(long value, long size)
{
    long r = value % size;
    return r < 0 ? r + size : r;
}

} // namespace

SIZE LayoutWallpaper(const RECT* monitors, int count, int span, RECT* parts)
{
    SIZE size = {0, 0};
    if (!monitors || !parts || count <= 0)
        return size;
    RECT all = monitors[0];
    for (int i = 1; i < count; ++i)
        UnionRect(&all, &all, &monitors[i]);
    size.cx = all.right - all.left;
    size.cy = all.bottom - all.top;
    if (size.cx <= 0 || size.cy <= 0) {
        size.cx = size.cy = 0;
        return size;
    }
    for (int i = 0; i < count; ++i) {
        const RECT& m = monitors[i];
        long x = span ? m.left - all.left : Wrap(m.left, size.cx);
        long y = span ? m.top - all.top : Wrap(m.top, size.cy);
        parts[i] = {x, y, x + (m.right - m.left), y + (m.bottom - m.top)};
    }
    return size;
}

void DrawWrapped(HDC dst, SIZE size, const RECT& part, HDC src)
{
    const int cx = part.right - part.left, cy = part.bottom - part.top;
    // Four copies: GDI clips away whatever of each lies outside the bitmap.
    for (int down = 0; down < 2; ++down)
        for (int across = 0; across < 2; ++across)
            BitBlt(dst, part.left - across * size.cx, part.top - down * size.cy, cx, cy, src, 0, 0, SRCCOPY);
}
