#include "base/WinUtil.h"

void SetBitsBool(unsigned& flags, unsigned bits, int on)
{
    if (on)
        flags |= bits;
    else
        flags &= ~bits;
}

void SetBitsBool(unsigned short& flags, unsigned short bits, int on)
{
    if (on)
        flags |= bits;
    else
        flags &= static_cast<unsigned short>(~bits);
}

// GetParent continues from an owned top-level window to its owner, so the chain ends at
// the outermost window a user sees.
HWND GetTopParent(HWND hWnd)
{
    HWND hParent;
    while ((hParent = GetParent(hWnd)) != nullptr)
        hWnd = hParent;
    return hWnd;
}
