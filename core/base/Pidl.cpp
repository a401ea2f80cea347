#include "base/Pidl.h"
#include <string.h>
#include "picture/iMalloc.h"

ITEMIDLIST* AllocPIDL(unsigned short size)
{
    iMalloc malloc;
    void* block = size ? malloc.Alloc(size) : nullptr;
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
        iMalloc().Free(list);
}
