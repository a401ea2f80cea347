// Character-level helpers shared by the path functions (not exported). All of them scan
// forward from the start of the text, which is the one safe direction in a double-byte
// code page: a byte equal to "\" may be the trail byte of the character before it.
#pragma once
#include <cstring>
#include "base/Mbcs.h"

namespace PathScan {

// "\" or "/" at the start of a character.
inline bool IsSepAt(const char* p)
{
    return p && (*p == '\\' || *p == '/');
}

inline bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The start of the last character, null for an empty text.
inline const char* LastChar(const char* s)
{
    const char* last = nullptr;
    for (const char* p = s; *p; IncPsz(p))
        last = p;
    return last;
}

inline char* LastChar(char* s)
{
    return const_cast<char*>(LastChar(static_cast<const char*>(s)));
}

// The last separator ("\" or "/"), also ":" when withColon; null when there is none.
inline const char* LastSep(const char* s, bool withColon)
{
    const char* last = nullptr;
    for (const char* p = s; *p; IncPsz(p))
        if (IsSepAt(p) || (withColon && *p == ':'))
            last = p;
    return last;
}

// The first separator at or after p, or the terminator.
inline const char* NextSep(const char* p)
{
    while (*p && !IsSepAt(p))
        IncPsz(p);
    return p;
}

// Appends n bytes of src to the text dst of len bytes in a buffer of size bytes; false
// (and nothing appended) when the result would not fit with its terminator.
inline bool Append(char* dst, size_t& len, size_t size, const char* src, size_t n)
{
    if (len + n + 1 > size)
        return false;
    memcpy(dst + len, src, n);
    len += n;
    dst[len] = '\0';
    return true;
}

inline bool Append(char* dst, size_t& len, size_t size, const char* src)
{
    return Append(dst, len, size, src, strlen(src));
}

// Copies src whole into dst of size bytes; false (dst unchanged) when it does not fit.
inline bool CopyWhole(char* dst, const char* src, size_t size)
{
    size_t n = strlen(src);
    if (n + 1 > size)
        return false;
    memmove(dst, src, n + 1);
    return true;
}

} // namespace PathScan
