// MyWindowPlacement: a window-placement record that knows whether it was ever filled.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API MyWindowPlacement : public WINDOWPLACEMENT {
public:
    enum { kUnfilled = -1234 };
    MyWindowPlacement();
    int IsInitialized() const { return rcNormalPosition.left != kUnfilled; }
};
