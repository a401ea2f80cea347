#include "base/MyMutex.h"
#include <stdio.h>
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
    return hMutex.IsReady() && WaitForSingleObject(hMutex, ms) == WAIT_OBJECT_0;
}

void MyMutex::Release()
{
    if (hMutex.IsReady())
        ReleaseMutex(hMutex);
}
