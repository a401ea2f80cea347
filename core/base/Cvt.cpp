#include <windows.h>
#include <new>
#include "base/Cvt.h"
#include "base/Mbcs.h"
#include "base/MemHolders.h"

int mb2wc(const char* s, unsigned short* w, int n)
{
    if (!s || !w || n <= 0)
        return 0;
    WCHAR* out = reinterpret_cast<WCHAR*>(w);
    int r = MultiByteToWideChar(CP_ACP, 0, s, -1, out, n);
    if (r == 0) {
        out[0] = 0;
        // Too long: keep the part that fits.
        int needed = MultiByteToWideChar(CP_ACP, 0, s, -1, nullptr, 0);
        WCHAR* tmp = needed > n ? new (std::nothrow) WCHAR[needed] : nullptr;
        if (tmp && MultiByteToWideChar(CP_ACP, 0, s, -1, tmp, needed) == needed) {
            for (int i = 0; i < n - 1; i++)
                out[i] = tmp[i];
            out[n - 1] = 0;
        }
        delete[] tmp;
    }
    return r;
}

int wc2mb(const unsigned short* w, char* s, int n)
{
    if (!s || !w || n <= 0)
        return 0;
    const WCHAR* in = reinterpret_cast<const WCHAR*>(w);
    int r = WideCharToMultiByte(CP_ACP, 0, in, -1, s, n, nullptr, nullptr);
    if (r == 0) {
        s[0] = '\0';
        // Too long: keep the whole characters that fit.
        int needed = WideCharToMultiByte(CP_ACP, 0, in, -1, nullptr, 0, nullptr, nullptr);
        if (needed <= n)
            return r;
        HeapBuffer tmp(static_cast<unsigned long>(needed));
        if (tmp.Get() && WideCharToMultiByte(CP_ACP, 0, in, -1, tmp.Get(), needed, nullptr, nullptr) == needed)
            StrCopyN(s, tmp.Get(), static_cast<unsigned>(n));
    }
    return r;
}

CVT::CVT(unsigned size) : buffer(nullptr), size(size) {}

CVT::~CVT()
{
    delete[] buffer;
}

wchar_t* CVT::T2W(const char* s)
{
    if (!buffer) {
        buffer = new (std::nothrow) unsigned short[size + 1];
        if (!buffer)
            return nullptr;
    }
    buffer[0] = 0;
    mb2wc(s, buffer, static_cast<int>(size + 1));
    return reinterpret_cast<wchar_t*>(buffer);
}

char* CVT::W2T(char* out)
{
    if (!out || size == 0)
        return out;
    if (!buffer) {
        out[0] = '\0';
        return out;
    }
    wc2mb(buffer, out, static_cast<int>(size));
    return out;
}
