#include "base/TextUtil.h"
#include <windows.h>
#include <stdlib.h>
#include <string.h>
#include <new>
#include "base/Mbcs.h"

char* CopyToHeap(const char* s)
{
    if (!s)
        s = "";
    size_t n = strlen(s);
    char* copy = new (std::nothrow) char[n + 1];
    if (copy)
        memcpy(copy, s, n + 1);
    return copy;
}

void StrRealloc(char*& p, const char* s)
{
    delete[] p;
    p = s && *s ? CopyToHeap(s) : nullptr;
}

void FreeDllBuf(void* p)
{
    delete[] static_cast<char*>(p);
}

// Longest text FitText shortens, with its terminator.
static const unsigned cbFitText = 520;

const char* FitText(const char* text, int textWidth, int maxWidth)
{
    static char s_buf[cbFitText];
    if (!text || !*text || textWidth <= maxWidth || textWidth <= 0)
        return text;
    unsigned len = strlen(text);
    if (len >= cbFitText) // longer texts are only ever shortened within the buffer
        len = cbFitText - 1;
    int keep = MulDiv(static_cast<int>(len), maxWidth < 0 ? 0 : maxWidth, textWidth);
    int remove = static_cast<int>(len) - keep + 3;
    int head = (static_cast<int>(len) - remove) / 2;
    s_buf[0] = '\0';
    if (head <= 0)
        return s_buf;
    // The head ends before a character that does not fit whole; the tail starts on a
    // character boundary at or after the removed part.
    const char* p = text;
    const char* end = text + head;
    while (*p && p + SizeOf(p) <= end)
        IncPsz(p);
    unsigned cbHead = static_cast<unsigned>(p - text);
    const char* tail = p;
    while (*tail && tail < text + head + remove)
        IncPsz(tail);
    unsigned cbTail = strlen(tail);
    if (cbHead + 3 + cbTail >= cbFitText)
        cbTail = cbFitText - 1 - cbHead - 3;
    memcpy(s_buf, text, cbHead);
    memcpy(s_buf + cbHead, "...", 3);
    StrCopyN(s_buf + cbHead + 3, tail, cbTail + 1);
    return s_buf;
}

const char* MakeNameFromMenu(const char* text)
{
    static char s_buf[256];
    unsigned n = 0;
    int removed = 0;
    for (const char* p = text ? text : ""; *p;) {
        if (*p == '&' && !removed) {
            removed = 1;
            p++;
            continue;
        }
        unsigned cb = SizeOf(p);
        if (n + cb >= sizeof(s_buf))
            break;
        memcpy(s_buf + n, p, cb);
        n += cb;
        p += cb;
    }
    s_buf[n] = '\0';
    return s_buf;
}

unsigned short GetMenuItemChar(const char* text)
{
    for (const char* p = text ? text : ""; *p; IncPsz(p))
        if (*p == '&')
            return p[1] ? CharToUpper(CharAt(p + 1)) : 0;
    return 0;
}
