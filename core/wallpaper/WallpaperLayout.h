// WallpaperLayout: where each monitor's picture goes in a wallpaper bitmap that covers all
// monitors. The bitmap has the size of the rectangle around them. Shown spanned, it lies
// over that rectangle as it is; shown tiled, its copies start at the primary monitor's
// top-left corner, so a monitor left of or above the primary sees the part of the bitmap
// where the tiling wraps it. Pure logic on rectangles, so any arrangement can be checked.
#pragma once
#include <windows.h>
#include "VntApi.h"

// For count monitors (screen coordinates, the primary's top-left at 0,0), fills parts
// (count entries) with each monitor's part of the bitmap and returns the bitmap's size;
// 0 x 0 for no monitor. A tiled part can run past the bitmap's right or bottom edge: what
// runs past continues at the left or top edge (see DrawWrapped).
VNT_API SIZE LayoutWallpaper(const RECT* monitors, int count, int span, RECT* parts);

// Copies the part's picture, drawn in src at (0,0), to dst, a bitmap of the given size:
// what runs past the right or bottom edge goes to the left or top edge.
VNT_API void DrawWrapped(HDC dst, SIZE size, const RECT& part, HDC src);
