#include "base/ResStr.h"
#include <stdio.h>
#include <string.h>
#include <new>
#include "base/AppInfo.h"
#include "base/Mbcs.h"
#include "base/TextUtil.h"

// Formatted texts and loaded strings live in buffers of this size.
static const unsigned cbText = 1024;

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
    psz = CopyToHeap(text);
    return psz != nullptr;
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
