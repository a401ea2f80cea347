// ShellItemList: an item identifier list that the shell handed out, given back to the
// shell's allocator when the holder ends (not exported).
#pragma once
#include <windows.h>
#include <shlobj.h>

class ShellItemList {
public:
    LPITEMIDLIST pidl;

    explicit ShellItemList(LPITEMIDLIST p = nullptr) : pidl(p) {}
    ~ShellItemList()
    {
        IMalloc* malloc = nullptr;
        if (pidl && SUCCEEDED(SHGetMalloc(&malloc)) && malloc) {
            malloc->Free(pidl);
            malloc->Release();
        }
    }
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;
};
