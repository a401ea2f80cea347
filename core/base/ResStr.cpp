#include "base/ResStr.h"
#include <stdio.h>
#include <string.h>
#include <new>
#include "base/AppInfo.h"
#include "base/Mbcs.h"

// Formatted texts and loaded strings live in buffers of this size.
static const unsigned cbText = 1024;

int FormatBuf(char* buf, unsigned size, const char* fmt, va_list args)
{
    if (!buf || size == 0)
        return 0;
    buf[0] = '\0';
    if (!fmt)
        return 0;
    int n = vsnprintf(buf, size, fmt, args);
    buf[size - 1] = '\0';
    if (n < 0 || static_cast<unsigned>(n) >= size) {
        // The text was cut: drop a lead byte whose trail byte fell off the end.
        char* last = buf;
        for (char* p = buf; *p; p += SizeOf(p))
            last = p;
        if (IsLead(*last) && !last[1])
            *last = '\0';
    }
    return static_cast<int>(strlen(buf));
}

ResStr::ResStr(int id, HINSTANCE inst) : psz(nullptr)
{
    Load(id, inst);
}

ResStr::~ResStr()
{
    Empty();
}

void ResStr::Empty()
{
    delete[] psz;
    psz = nullptr;
}

int ResStr::Assign(const char* text)
{
    Empty();
    size_t n = strlen(text);
    char* copy = new (std::nothrow) char[n + 1];
    if (!copy)
        return 0;
    memcpy(copy, text, n + 1);
    psz = copy;
    return 1;
}

const char* ResStr::Load(int id, HINSTANCE inst)
{
    Empty();
    if (id == 0)
        return "";
    AppInfo::ConvertResourceId(id, inst);
    char sz[cbText];
    int n = LoadStringA(inst, static_cast<UINT>(id), sz, sizeof(sz));
    if (n <= 0)
        return "";
    sz[sizeof(sz) - 1] = '\0';
    Assign(sz);
    return *this;
}

ResStrFmt::ResStrFmt(int id, ...)
{
    if (!Load(id)[0])
        return;
    char sz[cbText];
    va_list args;
    va_start(args, id);
    int n = FormatBuf(sz, sizeof(sz), psz, args);
    va_end(args);
    if (n > 0)
        Assign(sz);
}
