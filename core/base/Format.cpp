#include "base/Format.h"
#include <stdio.h>
#include <string.h>
#include "base/Mbcs.h"

// Formats into buf, always terminated; false when the text did not fit whole.
static bool FormatInto(char* buf, unsigned size, const char* fmt, va_list args)
{
    buf[0] = '\0';
    if (!fmt)
        return false;
    int n = vsnprintf(buf, size, fmt, args);
    buf[size - 1] = '\0';
    return n >= 0 && static_cast<unsigned>(n) < size;
}

int FormatBuf(char* buf, unsigned size, const char* fmt, va_list args)
{
    if (!buf || size == 0)
        return 0;
    if (!FormatInto(buf, size, fmt, args) && buf[0]) {
        // The text was cut: drop a lead byte whose trail byte fell off the end.
        char* last = buf;
        for (char* p = buf; *p; p += SizeOf(p))
            last = p;
        if (IsLead(*last) && !last[1])
            *last = '\0';
    }
    return static_cast<int>(strlen(buf));
}

bool FormatWholeV(char* buf, unsigned size, const char* fmt, va_list args)
{
    if (!buf || size == 0)
        return false;
    if (FormatInto(buf, size, fmt, args))
        return true;
    buf[0] = '\0';
    return false;
}

bool FormatWhole(char* buf, unsigned size, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    bool ok = FormatWholeV(buf, size, fmt, args);
    va_end(args);
    return ok;
}
