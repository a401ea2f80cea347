#include "base/MyMutex.h"
#include <stdio.h>
#include "base/MutexLock.h"
#include "base/SysInfo.h"

MyMutex::MyMutex(int global, const char* name)
{
    char full[MAX_PATH];
    // Session namespaces exist from Windows 2000 on.
    const char* prefix = Win2K() || WinXP() ? (global ? "Global\\" : "Local\\") : "";
    snprintf(full, sizeof(full), "%s%s", prefix, name ? name : "");
    *hMutex.Receive() = CreateMutexA(nullptr, FALSE, full);
}

int MyMutex::Wait(unsigned long ms)
{
    MutexWait result = WaitForMutex(hMutex, ms);
    // Ownership taken over from a holder that died is handed straight back: Wait promises
    // ownership only after a clean release. MutexLock keeps it instead.
    if (result == mutexOwnedAbandoned)
        Release();
    return result == mutexOwned;
}

void MyMutex::Release()
{
    if (hMutex.IsReady())
        ReleaseMutex(hMutex);
}
