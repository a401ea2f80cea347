// OleScope: OLE (and so COM) on the calling thread for the object's lifetime; uninitialised
// only when this object initialised it.
#pragma once
#include <windows.h>
#include <ole2.h>

class OleScope {
public:
    OleScope() : bInit(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope()
    {
        if (bInit)
            OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool bInit;
};
