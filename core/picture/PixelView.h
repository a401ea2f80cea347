// PixelView: a view of 24- or 32-bit blue-green-red pixels in memory, rows counted from the
// top; a bottom-up bitmap has a negative stride. The view owns nothing.
#pragma once
#include <windows.h>
#include <cstddef>

struct PixelView {
    BYTE* pBits;        // the top row
    int width, height;
    int stride;         // bytes from one row to the next one down
    int bytesPerPixel;  // 3 or 4

    BYTE* Row(int y) const { return pBits + static_cast<ptrdiff_t>(y) * stride; }
};
