#include "base/HexStr.h"

static const char s_szDigits[] = "0123456789ABCDEF";

void BinToHex(char* out, const unsigned char* p, unsigned n)
{
    for (unsigned i = 0; i < n; i++) {
        *out++ = s_szDigits[p[i] >> 4];
        *out++ = s_szDigits[p[i] & 0xF];
    }
    *out = '\0';
}

int HexToCode(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return 0;
}

unsigned char HexToChar(const char* p)
{
    int hi = HexToCode(p[0]);
    int lo = p[0] ? HexToCode(p[1]) : 0;
    return static_cast<unsigned char>(hi * 16 + lo);
}

unsigned HexToBin(unsigned char* out, const char* hex)
{
    unsigned n = 0;
    while (hex[0]) {
        out[n++] = HexToChar(hex);
        if (!hex[1])
            break;
        hex += 2;
    }
    return n;
}

int StrToHex(char* out, const char* s)
{
    unsigned n = 0;
    while (s[n])
        n++;
    if (n == 0) {
        out[0] = out[1] = '0';
        out[2] = '\0';
        return 0;
    }
    BinToHex(out, reinterpret_cast<const unsigned char*>(s), n);
    return 1;
}

int HexToStr(char* out, const char* hex)
{
    unsigned n = HexToBin(reinterpret_cast<unsigned char*>(out), hex);
    out[n] = '\0';
    return 1;
}
