#include <windows.h>
#include "base/Mbcs.h"

// Written once by InitMBCS, read everywhere after.
static int s_bMultiByte = 0;
static unsigned char s_bLead[256];

void InitMBCS()
{
    CPINFO info = {};
    for (int i = 0; i < 256; i++)
        s_bLead[i] = 0;
    s_bMultiByte = 0;
    if (!GetCPInfo(CP_ACP, &info) || info.MaxCharSize <= 1)
        return;
    s_bMultiByte = 1;
    // Pairs of first and last lead byte, ended by a pair of zeros.
    for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2)
        for (int b = info.LeadByte[i]; b <= info.LeadByte[i + 1]; b++)
            s_bLead[b] = 1;
}

int IsMBCS()
{
    return s_bMultiByte;
}

int IsLead(char c)
{
    return s_bMultiByte && s_bLead[static_cast<unsigned char>(c)];
}

int SizeOf(const char* p)
{
    return (IsLead(p[0]) && p[1] != '\0') ? 2 : 1;
}

unsigned _tcssize(const char* s)
{
    const char* p = s;
    for (int n = 0; n < 32767 && *p; n++)
        p += SizeOf(p);
    return static_cast<unsigned>(p - s);
}

unsigned short CharAt(const char* p)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(p);
    if (SizeOf(p) == 2)
        return static_cast<unsigned short>(b[0] | (b[1] << 8));
    return b[0];
}

const char* IncPsz(const char*& p)
{
    p += SizeOf(p);
    return p;
}

const char* PszInc(const char*& p)
{
    const char* old = p;
    p += SizeOf(p);
    return old;
}

// Steps back to the start of the previous character. The bytes before it that all look
// like lead bytes pair up from the first of them (the byte before that run ends a
// character), so their count tells whether the byte just before p is a trail byte.
const char* DecPsz(const char* start, const char*& p)
{
    if (p <= start)
        return p = start;
    const char* q = p - 1;
    const char* r = q;
    while (r > start && IsLead(r[-1]))
        r--;
    if ((q - r) & 1)
        q--;
    return p = q;
}

char* IncPsz(char*& p)
{
    p += SizeOf(p);
    return p;
}

char* PszInc(char*& p)
{
    char* old = p;
    p += SizeOf(p);
    return old;
}

char* DecPsz(const char* start, char*& p)
{
    const char* q = p;
    DecPsz(start, q);
    return p = const_cast<char*>(q);
}

// Case mapping through the system: a double-byte character is converted as one. A
// character the code page cannot convert both ways is left as it is, so two different
// unassigned codes never compare equal.
static unsigned short MapChar(unsigned short c, int upper)
{
    if (c < 0x80) {
        if (upper && c >= 'a' && c <= 'z')
            return static_cast<unsigned short>(c - 'a' + 'A');
        if (!upper && c >= 'A' && c <= 'Z')
            return static_cast<unsigned short>(c - 'A' + 'a');
        return c;
    }
    char b[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    int n = c > 0xFF ? 2 : 1;
    if (n == 1 && IsLead(b[0]))
        return c;
    WCHAR w[2];
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, b, n, w, 2) != 1)
        return c;
    if (upper)
        CharUpperBuffW(w, 1);
    else
        CharLowerBuffW(w, 1);
    char out[2] = {0, 0};
    BOOL bDefault = FALSE;
    if (WideCharToMultiByte(CP_ACP, 0, w, 1, out, 2, nullptr, &bDefault) != n || bDefault)
        return c;
    if (n == 1)
        return static_cast<unsigned char>(out[0]);
    return static_cast<unsigned short>(static_cast<unsigned char>(out[0]) |
                                       (static_cast<unsigned char>(out[1]) << 8));
}

unsigned short CharToLower(unsigned short c)
{
    return MapChar(c, 0);
}

unsigned short CharToUpper(unsigned short c)
{
    return MapChar(c, 1);
}

static void MapCharAt(char* p, int upper)
{
    unsigned short c = MapChar(CharAt(p), upper);
    p[0] = static_cast<char>(c & 0xFF);
    if (c > 0xFF)
        p[1] = static_cast<char>(c >> 8);
}

void CharToLower(char* p)
{
    MapCharAt(p, 0);
}

void CharToUpper(char* p)
{
    MapCharAt(p, 1);
}

int IsWhiteChar(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

int IsAlphaChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

int IsNumChar(char c)
{
    return c >= '0' && c <= '9';
}

int IsAlphaNumChar(char c)
{
    return IsAlphaChar(c) || IsNumChar(c);
}

int IsSep(char c)
{
    return c == '\\' || c == '/';
}

int CharCopy(char*& dst, const char*& src)
{
    int n = SizeOf(src);
    int notEnd = *src != '\0';
    for (int i = 0; i < n; i++)
        *dst++ = *src++;
    return notEnd;
}

void StrCopy(char*& dst, const char*& src)
{
    while (CharCopy(dst, src))
        ;
}

void CharAdd(char*& dst, char c)
{
    if (dst)
        *dst++ = c;
}

int CharCopy(char*& dst, const char*& src, unsigned& size)
{
    int n = SizeOf(src);
    int notEnd = *src != '\0';
    size += n;
    for (int i = 0; i < n; i++, src++)
        if (dst)
            *dst++ = *src;
    return notEnd;
}

void StrCopy(char*& dst, const char*& src, unsigned& size)
{
    while (*src)
        CharCopy(dst, src, size);
}

void CopyStr(char*& dst, const char* src, unsigned& size)
{
    StrCopy(dst, src, size);
}

void CharAdd(char*& dst, char c, unsigned& size)
{
    size++;
    if (dst)
        *dst++ = c;
}

unsigned StrCopyN(char* dst, const char* src, unsigned size)
{
    if (!dst || size == 0)
        return 0;
    unsigned n = 0;
    if (src) {
        while (src[n]) {
            unsigned c = SizeOf(src + n);
            if (n + c >= size)
                break;
            for (unsigned i = 0; i < c; i++)
                dst[n + i] = src[n + i];
            n += c;
        }
    }
    for (unsigned i = n; i < size; i++)
        dst[i] = '\0';
    return n;
}

// A sort key that keeps byte order: a single byte sorts as if followed by a zero byte.
static unsigned CharKey(unsigned short c)
{
    if (c > 0xFF)
        return ((c & 0xFFu) << 8) | (c >> 8);
    return static_cast<unsigned>(c) << 8;
}

int StrCompareN(const char* a, const char* b, unsigned n, int ignoreCase)
{
    const char* startA = a;
    while (static_cast<unsigned>(a - startA) < n) {
        unsigned short ca = CharAt(a);
        unsigned short cb = CharAt(b);
        if (ignoreCase) {
            ca = CharToLower(ca);
            cb = CharToLower(cb);
        }
        if (ca != cb)
            return CharKey(ca) < CharKey(cb) ? -1 : 1;
        if (!*a)
            return 0;
        a += SizeOf(a);
        b += SizeOf(b);
    }
    return 0;
}

int StrCompare(const char* a, const char* b, int ignoreCase)
{
    return StrCompareN(a, b, 0xFFFFFFFFu, ignoreCase);
}
