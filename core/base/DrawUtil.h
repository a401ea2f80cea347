// Small bitmap and rectangle functions shared by the drawing code.
#pragma once
#include <windows.h>
#include "VntApi.h"

// Copies (width x height, or the whole bitmap when width is 0) of bitmap from
// (sourceX, sourceY) to (x, y) on hdc, in hdc's mapping mode. 1 on success.
VNT_API int DrawBitmap(HDC hdc, HBITMAP hBitmap, int x, int y, int sourceX, int sourceY, int width,
                       int height);
// The bitmap's width and height; (0, 0) when it is not a bitmap.
VNT_API SIZE GetBitmapSize(HBITMAP hBitmap);
// Both corners from screen to client coordinates.
VNT_API BOOL ScreenToClient(HWND hWnd, RECT* pRect);
// Paints rc black with the stock brush (header only, for the program too).
inline int FillBlack(HDC hdc, const RECT& rc)
{
    return FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
}
// Moves the left and right edges inwards by across, the top and bottom by down (outwards
// when negative).
VNT_API void DeflateRect(RECT* pRect, int across, int down);
