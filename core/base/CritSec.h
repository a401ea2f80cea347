// CritSec: a system critical section owned for the object's lifetime.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API CritSec {
public:
    CritSec();
    ~CritSec();
    CritSec(const CritSec&) = delete;
    CritSec& operator=(const CritSec&) = delete;

    void Enter();
    void Leave();
    // Waits for a current holder to leave: enters and leaves at once.
    void Wait();

private:
    CRITICAL_SECTION cs;
};

// Holds a CritSec for a scope.
class CritSecLock {
public:
    explicit CritSecLock(CritSec& cs) : critSec(cs) { critSec.Enter(); }
    ~CritSecLock() { critSec.Leave(); }
    CritSecLock(const CritSecLock&) = delete;
    CritSecLock& operator=(const CritSecLock&) = delete;

private:
    CritSec& critSec;
};
