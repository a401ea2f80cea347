// Shared by the dialog, sheet and check-list tests: a call log that objects write their
// virtual calls to, and a fixture registering the common controls the test templates use.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <string>
#include <vector>

typedef std::vector<std::string> CallLog;

inline HINSTANCE TestModule() { return GetModuleHandleA(nullptr); }

class UiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
    }
};
