// EXIF data of JPEG files: the orientation and the date the photo was taken.
//
// The EXIF orientation of a JPEG file: how the stored picture has to be turned or mirrored
// to stand upright (1 as stored, 2 to 8 as in the EXIF standard). Cameras and phones store
// many photos sideways with this tag. Missing, damaged or odd data means 1, never a failure:
// every offset is checked against the data at hand.
#pragma once
#include <windows.h>
#include <cstddef>
#include "VntApi.h"
#include "picture/FwFile.h"

// The orientation from the body of an APP1 segment ("Exif\0\0", then the TIFF data);
// 1 when it holds none.
VNT_API int ExifOrientationOf(const BYTE* data, size_t size);
// The orientation of the JPEG file, read from its current position (its start) up to its
// first scan; 1 when it has none. The file position is left anywhere.
VNT_API int ReadExifOrientation(FwFile& file);

// The date the photo was taken from the body of an APP1 segment: DateTimeOriginal of the
// EXIF directory, else DateTime of the first directory; false when neither holds a date.
VNT_API bool ExifDateOf(const BYTE* data, size_t size, SYSTEMTIME& when);
// The same for the JPEG file, read from its current position (its start); only its first
// 64 KB are read, where cameras put the EXIF segment.
VNT_API bool ReadExifDate(FwFile& file, SYSTEMTIME& when);
