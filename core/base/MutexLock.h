// MutexLock: ownership of a mutex for a scope, released when the lock ends.
// A wait that ends abandoned (the former holder died holding it) gives ownership too:
// the lock holds it and releases it like any other. Not exported.
#pragma once
#include <windows.h>
#include "base/MyMutex.h"

// How a wait for a mutex ended: owned, owned after the former holder died, or not owned
// (timed out, failed, or no mutex). The one place that reads WaitForSingleObject's result
// for a mutex.
enum MutexWait { mutexOwned, mutexOwnedAbandoned, mutexNotOwned };
MutexWait WaitForMutex(HANDLE hMutex, DWORD ms);

class MutexLock {
public:
    MutexLock(MyMutex& mutex, DWORD ms);
    ~MutexLock();
    MutexLock(const MutexLock&) = delete;
    MutexLock& operator=(const MutexLock&) = delete;
    int IsOwned() const { return bOwned; }

private:
    MyMutex& mutex;
    int bOwned;
};
