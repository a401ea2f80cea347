// iPicture::RenderPixels: drawing a photo's own pixels, shrunk by area averaging and turned
// upright, instead of letting the platform drop pixels.
#include "picture/iPicture.h"
#include "base/MemHolders.h"
#include <new>
#include "picture/AreaScaler.h"
#include "picture/PictureBits.h"

int iPicture::RenderPixels(HDC hdc, const RECT& target)
{
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    short type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (width <= 0 || height <= 0 || FAILED(Get()->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(Get()->get_Handle(&handle)))
        return -1;
    PictureBits bits(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
    if (!bits.IsReady())
        return -1;
    // The target as the stored picture sees it: a quarter turn swaps its sides.
    const bool turned = nOrientation >= 5;
    const int storedWidth = turned ? height : width;
    const int storedHeight = turned ? width : height;
    if (nOrientation == 1 && (storedWidth > bits.Width() || storedHeight > bits.Height()))
        return -1; // an upright enlargement: the platform's, as ever

    const size_t bytes = static_cast<size_t>(width) * height * 4;
    if (bytes / 4 / height != static_cast<size_t>(width))
        return 0;
    HeapBuffer out(bytes);
    if (!out.Get())
        return 0;
    PixelView dst = {out.Bytes(), width, height, width * 4, 4};
    try {
        AreaScaler scaler(bits.Width(), bits.Height(), storedWidth, storedHeight);
        if (!scaler.Scale(bits, bits.BytesPerPixel(), dst, nOrientation))
            return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height; // top-down
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    return StretchDIBits(hdc, target.left, target.top, width, height, 0, 0, width, height, out.Bytes(), &bmi,
                         DIB_RGB_COLORS, SRCCOPY) != 0 ? 1 : 0;
}
