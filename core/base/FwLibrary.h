// FwLibrary: a module loaded with LoadLibrary for the holder's lifetime and freed with
// FreeLibrary when it ends. Header only, not exported.
#pragma once
#include <windows.h>

class FwLibrary {
public:
    HMODULE hModule;

    explicit FwLibrary(const char* name) : hModule(name ? LoadLibraryA(name) : nullptr) {}
    ~FwLibrary()
    {
        if (hModule)
            FreeLibrary(hModule);
    }
    FwLibrary(const FwLibrary&) = delete;
    FwLibrary& operator=(const FwLibrary&) = delete;

    bool IsReady() const { return hModule != nullptr; }
    FARPROC GetProc(const char* name) const { return hModule ? GetProcAddress(hModule, name) : nullptr; }
};
