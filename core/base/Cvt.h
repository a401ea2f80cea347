// Conversion between multibyte text in the default code page and UTF-16, for the few
// system interfaces that only take wide text.
#pragma once
#include "VntApi.h"

// Convert a terminated text, writing at most n units; result: the system's count (0 on
// failure). The output is terminated whenever n is not 0, cut at a whole character when
// it does not fit.
VNT_API int mb2wc(const char* s, unsigned short* w, int n);
VNT_API int wc2mb(const unsigned short* w, char* s, int n);

// A wide buffer of a fixed capacity, allocated on first use.
class VNT_API CVT {
public:
    unsigned short* buffer;
    unsigned size;

    explicit CVT(unsigned size = 520);
    ~CVT();
    CVT(const CVT&) = delete;
    CVT& operator=(const CVT&) = delete;

    // s in the buffer (size characters at most, terminated); null when out of memory.
    wchar_t* T2W(const char* s);
    // The buffer back into out (size bytes at most, terminated).
    char* W2T(char* out);
    // Text already is in the default code page.
    char* T2A(char* s) { return s; }
    char* A2T(char* s) { return s; }
};
