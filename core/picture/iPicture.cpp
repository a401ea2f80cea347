#include "picture/iPicture.h"
#include "base/FaultGuard.h"
#include "base/DrawUtil.h"
#include "picture/ExifOrientation.h"
#include "base/FwDC.h"
#include "picture/JpegRows.h"
#include <utility>

namespace {

const int kHimetricPerInch = 2540;

// A picture's pixel size on hdc from its HIMETRIC size.
SIZE HimetricToPixels(HDC hdc, long width, long height)
{
    SIZE size;
    size.cx = MulDiv(width, GetDeviceCaps(hdc, LOGPIXELSX), kHimetricPerInch);
    size.cy = MulDiv(height, GetDeviceCaps(hdc, LOGPIXELSY), kHimetricPerInch);
    return size;
}

// A stretch mode set on a DC for the holder's lifetime.
class StretchMode {
public:
    StretchMode(HDC hdc, int mode) : hdc(hdc), oldMode(SetStretchBltMode(hdc, mode)) {}
    ~StretchMode()
    {
        if (oldMode)
            SetStretchBltMode(hdc, oldMode);
    }
    StretchMode(const StretchMode&) = delete;
    StretchMode& operator=(const StretchMode&) = delete;

private:
    HDC hdc;
    int oldMode;
};

} // namespace

int iPicture::Load(const char* pszPath)
{
    FwFile file;
    if (!file.Open(pszPath, 0))
        return 0;
    return Load(file);
}

int iPicture::Load(FwFile& file)
{
    // The picture starts where the file stands; the tag is read from there too.
    const DWORD start = file.MoveTo(0, FILE_CURRENT);
    const int orientation = ReadExifOrientation(file);
    file.MoveTo(static_cast<LONG>(start));
    FwFileStream stream(&file);
    if (!Load(stream))
        return 0;
    nOrientation = orientation;
    return 1;
}

int iPicture::Load(FwFileStream& stream)
{
    return Load(static_cast<IStream*>(&stream));
}

int iPicture::Load(IStream* pStream)
{
    Detach(); // the previous picture goes before the next one is decoded
    nOrientation = 1;
    if (!pStream)
        return 0;
    void* p = nullptr;
    HRESULT hr = E_FAIL;
    // A JPEG is decoded row by row, in half the memory the platform's loader takes; anything
    // else goes to that loader, as does a JPEG when the imaging component is missing. A
    // fault inside either counts as a failed load.
    if (!RunGuarded([&] { hr = LoadJpegByRows(pStream, reinterpret_cast<IPicture**>(&p)); }))
        return 0;
    if (FAILED(hr) && hr != E_OUTOFMEMORY &&
        !RunGuarded([&] { hr = OleLoadPicture(pStream, 0, FALSE, IID_IPicture, &p); }))
        return 0;
    if (SUCCEEDED(hr) && p)
        pUnk = static_cast<IUnknown*>(p);
    else if (p)
        static_cast<IUnknown*>(p)->Release();
    return pUnk != nullptr;
}

void iPicture::GetHIMETRICSize(long& width, long& height)
{
    GetStoredHIMETRICSize(width, height);
    if (nOrientation >= 5) // turned a quarter: width and height change places
        std::swap(width, height);
}

void iPicture::GetStoredHIMETRICSize(long& width, long& height)
{
    width = 0;
    height = 0;
    if (!Get())
        return;
    OLE_XSIZE_HIMETRIC cx = 0;
    OLE_YSIZE_HIMETRIC cy = 0;
    if (SUCCEEDED(Get()->get_Width(&cx)) && SUCCEEDED(Get()->get_Height(&cy))) {
        width = cx;
        height = cy;
    }
}

SIZE iPicture::GetImageSize(HDC hdc)
{
    SIZE size = {0, 0};
    if (!Get())
        return size;
    long width, height;
    GetHIMETRICSize(width, height);
    return HimetricToPixels(hdc, width, height);
}

int iPicture::Render(HDC hdc, RECT target, const RECT* pBounds)
{
    if (!Get())
        return 0;
    int ok = 0;
    RunGuarded([&] {
        // A single point: the picture's natural size, placed at that point.
        if (target.left == target.right && target.top == target.bottom) {
            SIZE size = GetImageSize(hdc);
            target.right = target.left + size.cx;
            target.bottom = target.top + size.cy;
        }
        int own = RenderPixels(hdc, target);
        if (own >= 0) {
            ok = own;
            return;
        }
        long width, height;
        GetStoredHIMETRICSize(width, height);
        // The platform scales (an enlargement, or pixels we cannot read): its default
        // stretch mode ANDs the pixels a reduction drops, which darkens a photo; dropping
        // or repeating them keeps its colours.
        StretchMode mode(hdc, COLORONCOLOR);
        // HIMETRIC counts upwards: start at the top edge and go down with a negative height.
        HRESULT hr = Get()->Render(hdc, target.left, target.top, target.right - target.left,
                                   target.bottom - target.top, 0, height, width, -height, pBounds);
        ok = SUCCEEDED(hr) ? 1 : 0;
    });
    return ok;
}

void iPicture::GetBestFitRect(HWND hWnd, RECT& rect, HDC hdc, int enlarge)
{
    SIZE pict;
    if (hdc) {
        pict = GetImageSize(hdc);
    } else {
        ClientDC windowDC(hWnd); // for measuring only
        pict = GetImageSize(windowDC);
    }
    if (rect.left == rect.right || rect.top == rect.bottom) {
        GetWindowRect(hWnd, &rect);
        ScreenToClient(hWnd, &rect);
    }
    if (pict.cx <= 0 || pict.cy <= 0)
        return; // nothing to fit (no picture, or one the loader gave no size)
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width - pict.cx >= 0 && height - pict.cy >= 0 && !enlarge) {
        DeflateRect(&rect, (width - pict.cx) / 2, (height - pict.cy) / 2);
        return;
    }
    int fullWidthHeight = MulDiv(width, pict.cy, pict.cx);
    if (height >= fullWidthHeight)
        DeflateRect(&rect, 0, (height - fullWidthHeight) / 2);
    else
        DeflateRect(&rect, (width - MulDiv(height, pict.cx, pict.cy)) / 2, 0);
}
