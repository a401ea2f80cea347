#include "base/DrawUtil.h"
#include "base/GdiHolders.h"

int DrawBitmap(HDC hdc, HBITMAP hBitmap, int x, int y, int sourceX, int sourceY, int width, int height)
{
    MemoryDC mem(hdc);
    DCSelection bitmap(mem.hDC, hBitmap);
    if (!bitmap.IsReady())
        return 0;
    SetMapMode(mem.hDC, GetMapMode(hdc));
    POINT size;
    if (width) {
        size.x = width;
        size.y = height;
    } else {
        SIZE bm = GetBitmapSize(hBitmap);
        size.x = bm.cx;
        size.y = bm.cy;
    }
    DPtoLP(hdc, &size, 1);
    POINT origin = {sourceX, sourceY};
    DPtoLP(mem.hDC, &origin, 1);
    return BitBlt(hdc, x, y, size.x, size.y, mem.hDC, origin.x, origin.y, SRCCOPY) ? 1 : 0;
}

SIZE GetBitmapSize(HBITMAP hBitmap)
{
    SIZE size = {0, 0};
    BITMAP bm;
    if (hBitmap && GetObjectA(hBitmap, sizeof(bm), &bm) == sizeof(bm)) {
        size.cx = bm.bmWidth;
        size.cy = bm.bmHeight;
    }
    return size;
}

BOOL ScreenToClient(HWND hWnd, RECT* pRect)
{
    POINT* corners = reinterpret_cast<POINT*>(pRect);
    BOOL ok = ::ScreenToClient(hWnd, &corners[0]);
    return ::ScreenToClient(hWnd, &corners[1]) && ok;
}

void DeflateRect(RECT* pRect, int across, int down)
{
    pRect->left += across;
    pRect->right -= across;
    pRect->top += down;
    pRect->bottom -= down;
}
