// Running code that may fault: platform code such as the picture loader and renderer or a
// shell view can raise on data it does not expect. A fault (an access violation, a raised exception) or a
// C++ exception inside the guarded code ends that code and is reported as a 0 result,
// instead of ending the process.
#pragma once
#include <windows.h>
#include "VntApi.h"

// Calls pfn(pv) under a structured exception frame; 1 when it returned normally, 0 when a
// fault ended it. pfn must not let a C++ exception out (RunGuarded takes care of that).
// Objects that pfn's frames hold when a fault strikes are not destroyed.
VNT_API int CallGuarded(void (*pfn)(void*), void* pv);

// Runs f() guarded against faults and C++ exceptions; 1 when it completed.
template <class F>
int RunGuarded(F&& f)
{
    struct Call {
        F* pf;
        int bDone;
        static void Run(void* pv)
        {
            Call* pCall = static_cast<Call*>(pv);
            try {
                (*pCall->pf)();
                pCall->bDone = 1;
            } catch (...) {
                pCall->bDone = 0;
            }
        }
    };
    Call call = {&f, 0};
    return CallGuarded(&Call::Run, &call) && call.bDone;
}
