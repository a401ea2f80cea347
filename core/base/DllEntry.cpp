// Entry of VNT32: sets up the multibyte tables and records the library's own module for
// class registration and for the library's resources.
#include "base/Module.h"
#include "base/Mbcs.h"

static HINSTANCE s_hInstLib = nullptr;

HINSTANCE GetLibraryModule()
{
    return s_hInstLib;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInst, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        InitMBCS();
        s_hInstLib = hInst;
        DisableThreadLibraryCalls(hInst);
    }
    return TRUE;
}
