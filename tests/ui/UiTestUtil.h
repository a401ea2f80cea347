// Shared by the dialog, sheet and check-list tests: a call log that objects write their
// virtual calls to, and the common controls the test templates use.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

typedef std::vector<std::string> CallLog;

inline void InitTestControls()
{
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
}

inline HINSTANCE TestModule()
{
    return GetModuleHandleA(nullptr);
}
