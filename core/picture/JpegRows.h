// LoadJpegByRows: decodes a JPEG with the system's imaging component row by row straight
// into a DIB section of our own, and hands that bitmap to a picture object.
// The platform's own loader holds the file, the decoded rows, a converted copy of them and
// its bitmap at once (four times a picture's decoded size); here at most the decoder's rows
// and the bitmap are held, so a 100-megapixel panorama fits a 32-bit process.
#pragma once
#include <windows.h>
#include <ocidl.h>

// Decodes the picture that starts at the stream's current place. S_OK with a new picture
// (one reference for the caller); E_OUTOFMEMORY when the picture is too large to be held;
// any other failure when the imaging component is missing or the data is not a JPEG it
// decodes, so that the platform's loader can be tried (the stream is back where it was).
HRESULT LoadJpegByRows(IStream* pStream, IPicture** ppPicture);
