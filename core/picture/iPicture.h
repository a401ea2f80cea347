// iPicture: holder of a platform picture object. A JPEG is decoded row by row into a bitmap
// of our own (LoadJpegByRows); anything else, or a JPEG where that cannot be done, by the
// platform's picture loader (OleLoadPicture). It loads JPEG files, measures them, fits them
// into a window and draws them.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include "picture/iUnk.h"
#include "picture/FwFile.h"
#include "picture/FwFileStream.h"

class VNT_API iPicture : public iUnk {
public:
    iPicture() : nOrientation(1) {}

    // 0 when the file cannot be opened (the holder keeps what it held) or not decoded (the
    // holder is empty). A JPEG file's EXIF orientation is honoured: the picture is measured
    // and drawn upright.
    int Load(const char* pszPath);
    int Load(FwFile& file);
    int Load(FwFileStream& stream);
    int Load(IStream* pStream);

    // Upright size in HIMETRIC (0.01 mm); 0 x 0 when nothing is held.
    void GetHIMETRICSize(long& width, long& height);
    // Upright size in the DC's pixels; (0, 0) when nothing is held.
    SIZE GetImageSize(HDC hdc);
    // Draws the picture upright into target, shrinking it by area averaging; a single-point
    // target means the natural size at that point. 1 on success; a failure or fault of the
    // renderer gives 0.
    int Render(HDC hdc, RECT target, const RECT* pBounds);
    // Fits the picture into rect (the window's area when rect is empty), keeping its aspect
    // ratio; enlarge 0 leaves a picture that fits at its natural size, centred.
    void GetBestFitRect(HWND hWnd, RECT& rect, HDC hdc, int enlarge);

    // Loads the file and draws it fitted into the window's client area on dc, on black,
    // with the caption just under it and the copyright line over its foot. A failed load
    // writes an error text (showError 1) or draws nothing (showError 0). Never fails
    // outwards.
    void Blast(HWND hWnd, const char* pszPath, int enlarge, HDC hdc, const char* pszCopyrightText,
               const char* pszCaption, int showError);
    // Blast's drawing into the rectangle frame of hdc (hdc's coordinates), nothing drawn
    // outside it. blurEdges 1 fills the frame around the picture with the picture itself,
    // enlarged to cover the frame, blurred and darkened, instead of black.
    void BlastInto(HDC hdc, const RECT& frame, const char* pszPath, int enlarge,
                   const char* pszCopyrightText, const char* pszCaption, int showError,
                   int blurEdges);

    // How the stored picture is turned to stand upright: an EXIF orientation, 1 to 8 (1 as
    // stored).
    int GetOrientation() const { return nOrientation; }

private:
    int nOrientation;

    IPicture* Get() const { return static_cast<IPicture*>(pUnk); }
    void GetStoredHIMETRICSize(long& width, long& height);
    // Draws the bitmap's pixels with our own scaler when the picture shrinks or has to be
    // turned; -1 when that is not for this picture or target (the platform draws it then).
    int RenderPixels(HDC hdc, const RECT& target);
    void DrawPicture(const RECT& frame, int enlarge, HDC hdc, const char* pszCopyrightText,
                     const char* pszCaption, int blurEdges);
};
