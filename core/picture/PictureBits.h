// PictureBits: the pixels of a bitmap, handed to the scaler row by row. A DIB section of 24
// or 32 bits is read in place; any other bitmap is copied into 32 bits a band of rows at a
// time, so that a large photo is never copied whole.
#pragma once
#include <windows.h>
#include <memory>
#include "picture/AreaScaler.h"
#include "base/GdiHolders.h"

class PictureBits : public ScaleSource {
public:
    explicit PictureBits(HBITMAP hbm);
    PictureBits(const PictureBits&) = delete;
    PictureBits& operator=(const PictureBits&) = delete;

    // false when the bitmap's pixels cannot be had.
    bool IsReady() const { return view.width > 0; }
    int Width() const { return view.width; }
    int Height() const { return view.height; }
    int BytesPerPixel() const { return view.bytesPerPixel; }
    const BYTE* Row(int y) override;

private:
    HBITMAP hBitmap;
    PixelView view;                // the section's pixels; pBits null when copied in bands
    MemoryDC dc;                   // for copying bands
    BITMAPINFO bmi;                // the band format: 32 bits, bottom-up, the whole height
    std::unique_ptr<BYTE[]> band;  // rows bandFirst to bandFirst + bandRows - 1
    int bandFirst, bandRows;
};
