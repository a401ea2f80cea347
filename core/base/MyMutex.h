// MyMutex: a named mutex, created (not owned) by the constructor and closed by the
// destructor.
#pragma once
#include <windows.h>
#include "VntApi.h"
#include "base/FwHandle.h"

class VNT_API MyMutex {
public:
    FwHandle hMutex;

    // Prefixed "Global\" or "Local\" on Windows 2000 and later.
    MyMutex(int global, const char* name);
    // 1 exactly when the wait ended with ownership.
    int Wait(unsigned long ms);
    void Release();
};
