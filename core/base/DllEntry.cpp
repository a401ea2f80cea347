// Entry of VNT32: records the library's own module for class registration and for the
// library's resources.
#include "base/Module.h"

static HINSTANCE s_hInstLib = nullptr;

HINSTANCE GetLibraryModule()
{
    return s_hInstLib;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        s_hInstLib = hInst;
        DisableThreadLibraryCalls(hInst);
    }
    return TRUE;
}
