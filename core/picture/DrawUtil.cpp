#include "picture/DrawUtil.h"

namespace {

// A memory DC compatible with another, with one bitmap selected while it lives.
class BitmapDC {
public:
    BitmapDC(HDC hdcRef, HBITMAP hBitmap) : hdc(CreateCompatibleDC(hdcRef)), hOld(nullptr)
    {
        if (hdc)
            hOld = SelectObject(hdc, hBitmap);
    }
    ~BitmapDC()
    {
        if (hOld)
            SelectObject(hdc, hOld);
        if (hdc)
            DeleteDC(hdc);
    }
    BitmapDC(const BitmapDC&) = delete;
    BitmapDC& operator=(const BitmapDC&) = delete;
    int IsReady() const { return hOld != nullptr; }
    operator HDC() const { return hdc; }

private:
    HDC hdc;
    HGDIOBJ hOld;
};

} // namespace

int DrawBitmap(HDC hdc, HBITMAP hBitmap, int x, int y, int sourceX, int sourceY, int width, int height)
{
    BitmapDC mem(hdc, hBitmap);
    if (!mem.IsReady())
        return 0;
    SetMapMode(mem, GetMapMode(hdc));
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
    DPtoLP(mem, &origin, 1);
    return BitBlt(hdc, x, y, size.x, size.y, mem, origin.x, origin.y, SRCCOPY) ? 1 : 0;
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
