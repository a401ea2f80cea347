// Entry of VNT32: sets up the multibyte tables, records the library's own module (class
// registration, the library's resources and negative resource ids) and gives the process
// the library's application identity until the program makes its own.
#include "base/Module.h"
#include "base/Mbcs.h"
#include "base/AppInfo.h"

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
        MakeAppInfo(hInst);
    } else if (reason == DLL_PROCESS_DETACH) {
        MakeAppInfo(nullptr);
    }
    return TRUE;
}
