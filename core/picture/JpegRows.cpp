#include "picture/JpegRows.h"
#include <initguid.h>
#include <olectl.h>
#include <wincodec.h>
#include "base/OleScope.h"
#include "base/GdiHolders.h"
#include "picture/iUnk.h"

namespace {

// Bitmaps are addressed with signed 32-bit sizes.
const ULONGLONG kMaxBitmapBytes = 0x7FFFFFFF;

template <class T>
T* As(const iUnk& holder)
{
    return static_cast<T*>(holder.pUnk);
}

HRESULT Decode(IStream* pStream, ULARGE_INTEGER start, IPicture** ppPicture)
{
    iUnk factory(CLSID_WICImagingFactory, IID_IWICImagingFactory, nullptr, CLSCTX_INPROC_SERVER);
    IWICImagingFactory* pFactory = As<IWICImagingFactory>(factory);
    if (!pFactory)
        return E_NOINTERFACE;
    // The decoder reads from the start of what it is given: the picture's part of the stream.
    iUnk region, decoder, frame, converter;
    IWICStream* pRegion = nullptr;
    HRESULT hr = pFactory->CreateStream(&pRegion);
    region.pUnk = pRegion;
    ULARGE_INTEGER size;
    size.QuadPart = 0xFFFFFFFFull - start.QuadPart;
    if (SUCCEEDED(hr))
        hr = pRegion->InitializeFromIStreamRegion(pStream, start, size);
    IWICBitmapDecoder* pDecoder = nullptr;
    if (SUCCEEDED(hr))
        hr = pFactory->CreateDecoder(GUID_ContainerFormatJpeg, nullptr, &pDecoder);
    decoder.pUnk = pDecoder;
    if (SUCCEEDED(hr))
        hr = pDecoder->Initialize(pRegion, WICDecodeMetadataCacheOnDemand);
    IWICBitmapFrameDecode* pFrame = nullptr;
    if (SUCCEEDED(hr))
        hr = pDecoder->GetFrame(0, &pFrame);
    frame.pUnk = pFrame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format = {};
    if (SUCCEEDED(hr))
        hr = pFrame->GetSize(&width, &height);
    if (SUCCEEDED(hr))
        hr = pFrame->GetPixelFormat(&format);
    if (FAILED(hr))
        return hr;
    if (width == 0 || height == 0)
        return E_FAIL;

    // Colour photos come as 24-bit rows and are taken as they are; anything else (grey,
    // CMYK) is converted to 32 bits as each row is copied.
    IWICBitmapSource* pSource = pFrame;
    int bitCount = 24;
    if (format != GUID_WICPixelFormat24bppBGR) {
        IWICFormatConverter* pConverter = nullptr;
        hr = pFactory->CreateFormatConverter(&pConverter);
        converter.pUnk = pConverter;
        if (SUCCEEDED(hr))
            hr = pConverter->Initialize(pFrame, GUID_WICPixelFormat32bppBGR, WICBitmapDitherTypeNone, nullptr,
                                        0.0, WICBitmapPaletteTypeCustom);
        if (FAILED(hr))
            return hr;
        pSource = pConverter;
        bitCount = 32;
    }
    const ULONGLONG stride = (static_cast<ULONGLONG>(width) * bitCount + 31) / 32 * 4;
    if (stride * height > kMaxBitmapBytes)
        return E_OUTOFMEMORY;

    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = static_cast<LONG>(width);
    bmi.bmiHeader.biHeight = static_cast<LONG>(height);
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    GdiObject bitmap(CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0));
    if (!bitmap.hObj || !pBits)
        return E_OUTOFMEMORY;
    // Bottom-up, the form every system reads back the same way: each row goes to its place.
    for (UINT y = 0; y < height; ++y) {
        WICRect rc = {0, static_cast<INT>(y), static_cast<INT>(width), 1};
        hr = pSource->CopyPixels(&rc, static_cast<UINT>(stride), static_cast<UINT>(stride),
                                 static_cast<BYTE*>(pBits) + (height - 1 - y) * stride);
        if (FAILED(hr))
            return hr;
    }
    // The decoder's rows go before the picture object is made.
    converter.Detach();
    frame.Detach();
    decoder.Detach();

    PICTDESC desc = {};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = static_cast<HBITMAP>(bitmap.hObj);
    hr = OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, reinterpret_cast<void**>(ppPicture));
    if (FAILED(hr) || !*ppPicture) {
        if (*ppPicture)
            (*ppPicture)->Release();
        *ppPicture = nullptr;
        return FAILED(hr) ? hr : E_FAIL;
    }
    bitmap.hObj = nullptr; // the picture owns the bitmap now
    return S_OK;
}

} // namespace

HRESULT LoadJpegByRows(IStream* pStream, IPicture** ppPicture)
{
    *ppPicture = nullptr;
    LARGE_INTEGER none = {};
    ULARGE_INTEGER start = {};
    if (!pStream || FAILED(pStream->Seek(none, STREAM_SEEK_CUR, &start)))
        return E_INVALIDARG;
    OleScope com; // the imaging component is a COM server
    HRESULT hr = Decode(pStream, start, ppPicture);
    if (FAILED(hr)) {
        LARGE_INTEGER back;
        back.QuadPart = static_cast<LONGLONG>(start.QuadPart);
        pStream->Seek(back, STREAM_SEEK_SET, nullptr);
    }
    return hr;
}
