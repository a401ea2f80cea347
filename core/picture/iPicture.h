// iPicture: holder of a picture decoded by the platform's picture loader (OleLoadPicture).
// It loads JPEG files, measures them, fits them into a window and draws them.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include "picture/iUnk.h"
#include "picture/FwFile.h"
#include "picture/FwFileStream.h"

class VNT_API iPicture : public iUnk {
public:
    // 0 when the file cannot be opened (the holder keeps what it held) or not decoded (the
    // holder is empty).
    int Load(const char* pszPath);
    int Load(FwFile& file);
    int Load(FwFileStream& stream);
    int Load(IStream* pStream);

    // Size in HIMETRIC (0.01 mm); 0 x 0 when nothing is held.
    void GetHIMETRICSize(long& width, long& height);
    // Size in the DC's pixels; (0, 0) when nothing is held.
    SIZE GetImageSize(HDC hdc);
    // Draws the picture upright into target; a single-point target means the natural size
    // at that point. 1 on success; a failure or fault of the renderer gives 0.
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

private:
    IPicture* Get() const { return static_cast<IPicture*>(pUnk); }
    void DrawPicture(HWND hWnd, RECT frame, int enlarge, HDC hdc, const char* pszCopyrightText,
                     const char* pszCaption);
};
