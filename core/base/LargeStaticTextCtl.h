// LargeStaticTextCtl: gives dialog items one shared large bold font; the first object
// creates it, the last one deletes it.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API LargeStaticTextCtl {
public:
    LargeStaticTextCtl();
    ~LargeStaticTextCtl();
    LargeStaticTextCtl(const LargeStaticTextCtl&) = delete;
    LargeStaticTextCtl& operator=(const LargeStaticTextCtl&) = delete;

    int Init(HWND dlg, unsigned id);
};
