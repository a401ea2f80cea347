#include "base/StrToken.h"
#include "base/Mbcs.h"

// The one token buffer behind GetToken.
static char s_szToken[260];

void TrimStr(char* s)
{
    if (!s || !*s)
        return;
    char* p = s;
    while (IsWhiteChar(*p))
        p++;
    // Forward scan: the end of the last character that is not white.
    char* end = p;
    for (char* q = p; *q; IncPsz(q))
        if (!IsWhiteChar(*q))
            end = q + SizeOf(q);
    unsigned n = static_cast<unsigned>(end - p);
    for (unsigned i = 0; i < n; i++)
        s[i] = p[i];
    s[n] = '\0';
}

static int IsDelim(const char* p, const char* delims)
{
    unsigned short c = CharAt(p);
    for (const char* d = delims; *d; IncPsz(d))
        if (CharAt(d) == c)
            return 1;
    return 0;
}

// A lone lead byte at the end of a text is no token.
static int IsTextEnd(const char* p)
{
    return !*p || (IsLead(*p) && !p[1]);
}

char* StrTokEx(char* s, const char* delims, char*& next)
{
    char* p = s ? s : next;
    if (!p)
        return nullptr;
    if (!delims)
        delims = "";
    while (*p && IsDelim(p, delims))
        IncPsz(p);
    if (IsTextEnd(p)) {
        next = nullptr;
        return nullptr;
    }
    char* token = p;
    while (*p && !IsDelim(p, delims))
        IncPsz(p);
    if (*p) {
        int n = SizeOf(p);
        for (int i = 0; i < n; i++)
            p[i] = '\0';
        next = p + n;
    } else {
        next = nullptr;
    }
    return token;
}

// Finds the token with the index without changing the text; sets its length.
static const char* FindToken(const char* s, const char* delims, int index, unsigned& len)
{
    if (!s || index < 0)
        return nullptr;
    if (!delims)
        delims = "";
    const char* p = s;
    for (int i = 0;; i++) {
        while (*p && IsDelim(p, delims))
            IncPsz(p);
        if (IsTextEnd(p))
            return nullptr;
        const char* token = p;
        while (*p && !IsDelim(p, delims))
            IncPsz(p);
        if (i == index) {
            len = static_cast<unsigned>(p - token);
            return token;
        }
    }
}

int GetTokenCount(const char* s, const char* delims)
{
    if (!s)
        return 0;
    if (!delims)
        delims = "";
    int n = 0;
    for (const char* p = s;;) {
        while (*p && IsDelim(p, delims))
            IncPsz(p);
        if (IsTextEnd(p))
            return n;
        n++;
        while (*p && !IsDelim(p, delims))
            IncPsz(p);
    }
}

char* GetToken(const char* s, const char* delims, int index)
{
    unsigned len = 0;
    s_szToken[0] = '\0';
    const char* token = FindToken(s, delims, index, len);
    if (!token)
        return nullptr;
    // Copy whole characters of the token, as many as fit.
    unsigned n = 0;
    while (n < len) {
        unsigned c = SizeOf(token + n);
        if (n + c >= sizeof(s_szToken))
            break;
        for (unsigned i = 0; i < c; i++)
            s_szToken[n + i] = token[n + i];
        n += c;
    }
    s_szToken[n] = '\0';
    return s_szToken[0] ? s_szToken : nullptr;
}

int StrCharCount(const char* s, char c)
{
    int n = 0;
    if (!s)
        return 0;
    for (const char* p = s; *p; IncPsz(p))
        if (*p == c && SizeOf(p) == 1)
            n++;
    return n;
}

int StrFindInList(const char* list, const char* item, int ignoreCase)
{
    if (!list || !item)
        return -1;
    int i = 0;
    for (const char* p = list; *p; i++) {
        if (StrCompare(p, item, ignoreCase) == 0)
            return i;
        while (*p)
            p++;
        p++;
    }
    return -1;
}
