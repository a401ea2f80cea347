// FwTimer: owns one system timer; the destructor stops it.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API FwTimer {
public:
    HWND hWnd;
    UINT_PTR uTimer;
    UINT uID;

    explicit FwTimer(UINT id = 0);
    ~FwTimer();
    FwTimer(const FwTimer&) = delete;
    FwTimer& operator=(const FwTimer&) = delete;

    // A constructor id of 0 is replaced by the first id given here; later ids are ignored.
    void Start(HWND hWndOwner, UINT elapse, TIMERPROC pfn = nullptr, UINT id = 0);
    void Stop();
    UINT GetID() const { return uID; }
    int IsTicking() const { return uTimer != 0; }
};
