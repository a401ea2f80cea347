// Finding and activating another running instance of the program.
#pragma once
#include <windows.h>
#include "VntApi.h"
#include "base/FwHandle.h"

// Holds the named event "<Global|Local>\Corvane_App_<name>" while the first instance lives.
class VNT_API SingleInstanceXP {
public:
    FwHandle hEvent;

    SingleInstanceXP() {}
    // 1 for the first instance (the event is held from now on), 0 otherwise.
    int IsFirstInstance(int global, const char* name);
};

// Asks every top-level window; 1 when one answered for id.
VNT_API int ActivatePreviousInstance(unsigned long id);
// The receiving side, for a window procedure: 1 when the message was the request for id.
VNT_API int OnActivatePreviousInstance(unsigned long id, HWND wnd, unsigned msg, unsigned wParam,
                                       long lParam);
// The first top-level window of class and title (answering for id when non-zero).
VNT_API int ActivatePrevWnd(const char* cls, const char* title, unsigned short id);
VNT_API int ActivatePrevDlg(unsigned short id);
VNT_API int ClosePrevWnd(const char* cls, const char* title, unsigned short id);
