// Shell item identifier lists from the shell's allocator, and their owner.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include "VntApi.h"

// A zeroed block of size bytes, or null.
VNT_API ITEMIDLIST* AllocPIDL(unsigned short size);
// A copy of item's first identifier followed by the terminating empty one; null for null.
VNT_API ITEMIDLIST* AllocPIDL(const ITEMIDLIST* item);
VNT_API void FreePIDL(ITEMIDLIST* list);

// Owner of a list the shell handed out (not exported).
class ShellItemList {
public:
    LPITEMIDLIST pidl;

    explicit ShellItemList(LPITEMIDLIST p = nullptr) : pidl(p) {}
    ~ShellItemList() { FreePIDL(pidl); }
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
};
