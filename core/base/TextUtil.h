// Text helpers: heap copies the library frees, fitting a text into a width, menu texts.
#pragma once
#include "VntApi.h"

// A heap copy of s (new[]; "" for a null s); null when memory is short. Not exported.
char* CopyToHeap(const char* s);
// p becomes a heap copy of s (null for a null or empty s); the former p is freed.
VNT_API void StrRealloc(char*& p, const char* s);
// Frees text the library allocated (StrRealloc, CopyToHeap).
VNT_API void FreeDllBuf(void* p);
// text shortened in the middle with "..." to fit maxWidth (static buffer, valid until
// the next call); text itself when it fits.
VNT_API const char* FitText(const char* text, int textWidth, int maxWidth);
// text without its first "&" (static buffer, valid until the next call).
VNT_API const char* MakeNameFromMenu(const char* text);
// The upper-case character after the first "&" (a double-byte one as 16 bits); 0 for none.
VNT_API unsigned short GetMenuItemChar(const char* text);
