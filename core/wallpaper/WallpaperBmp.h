// The wallpaper bitmap file: a bitmap written as an uncompressed .BMP file (file header,
// 40-byte info header, colour table, rows bottom-up padded to four bytes).
#pragma once
#include <windows.h>
#include "VntApi.h"

// Colour bits of the file for a bitmap of planes x bits per pixel: the next of 1, 4, 8,
// 16, 24, 32 at or above it; 0 for a bitmap without bits.
VNT_API WORD BmpColorBits(WORD planesTimesBits);
// Bytes of the pixels: rows of width x colorBits bits padded to four bytes, times height;
// 0 when that does not fit in 31 bits.
VNT_API DWORD BmpImageSize(LONG width, LONG height, WORD colorBits);

// A new info block (header and zeroed colour table) describing the bitmap, from the
// local heap (the caller frees it with LocalFree); null when the bitmap cannot be
// queried or memory is short.
VNT_API BITMAPINFO* CreateBitmapInfoStruct(HBITMAP bitmap);
// Writes the bitmap's pixels, read through dc, to file; with a null info the function
// makes and frees its own. A caller's info must be a 40-byte header for uncompressed,
// bottom-up rows; the pixel and table sizes are computed from its geometry. The file is
// written beside the target and then put in its place (ReplacingFile), so a failed write
// leaves the previous file as it was. 1 on success, 0 on any failure.
VNT_API int CreateBMPFile(char* file, HDC dc, HBITMAP bitmap, BITMAPINFO* info);
