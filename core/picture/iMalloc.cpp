#include "picture/iMalloc.h"
#include <shlobj.h>

iMalloc::iMalloc()
{
    IMalloc* p = nullptr;
    if (SUCCEEDED(SHGetMalloc(&p)))
        pUnk = p; // SHGetMalloc's reference becomes the holder's
}

void* iMalloc::Alloc(SIZE_T size)
{
    return Get() ? Get()->Alloc(size) : nullptr;
}

void* iMalloc::Realloc(void* p, SIZE_T size)
{
    return Get() ? Get()->Realloc(p, size) : nullptr;
}

void iMalloc::Free(void* p)
{
    if (Get())
        Get()->Free(p);
}

void iMalloc::HeapMinimize()
{
    if (Get())
        Get()->HeapMinimize();
}
