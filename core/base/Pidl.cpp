#include "base/Pidl.h"
#include <objbase.h>
#include <string.h>

// The shell hands out and takes back item lists through the task allocator of COM, which
// this library always loads (pictures are decoded through it).

ITEMIDLIST* AllocPIDL(unsigned short size)
{
    void* block = size ? CoTaskMemAlloc(size) : nullptr;
    if (block)
        memset(block, 0, size);
    return static_cast<ITEMIDLIST*>(block);
}

ITEMIDLIST* AllocPIDL(const ITEMIDLIST* item)
{
    if (!item)
        return nullptr;
    // The copy ends with an empty identifier, so it is a valid list of its own.
    unsigned short cb = item->mkid.cb;
    ITEMIDLIST* copy = AllocPIDL(static_cast<unsigned short>(cb + sizeof(USHORT)));
    if (copy)
        memcpy(copy, item, cb);
    return copy;
}

void FreePIDL(ITEMIDLIST* list)
{
    if (list)
        CoTaskMemFree(list);
}
