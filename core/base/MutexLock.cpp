#include "base/MutexLock.h"

MutexWait WaitForMutex(HANDLE hMutex, DWORD ms)
{
    if (!hMutex || hMutex == INVALID_HANDLE_VALUE)
        return mutexNotOwned;
    switch (WaitForSingleObject(hMutex, ms)) {
    case WAIT_OBJECT_0:
        return mutexOwned;
    case WAIT_ABANDONED:
        return mutexOwnedAbandoned;
    default:
        return mutexNotOwned;
    }
}

MutexLock::MutexLock(MyMutex& mutex, DWORD ms)
    : mutex(mutex), bOwned(WaitForMutex(mutex.hMutex, ms) != mutexNotOwned)
{
}

MutexLock::~MutexLock()
{
    if (bOwned)
        mutex.Release();
}
