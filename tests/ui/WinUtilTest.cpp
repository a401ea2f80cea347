// Window and system utilities on real windows and the running system.
#include <gtest/gtest.h>
#include <string.h>
#include <thread>
#include "TestDialogs.h"
#include "UiTestUtil.h"
#include "base/DlgUtil.h"
#include "base/MyMutex.h"
#include "base/Pidl.h"
#include "base/SingleInstance.h"
#include "base/SysInfo.h"
#include "base/TextUtil.h"
#include "base/WinUtil.h"
#include "ui/FwDlg.h"

namespace {

class TestDlg : public FwDlg {
public:
    TestDlg() { Modeless(IDD_TEST, TestModule(), nullptr); }
    ~TestDlg() override { Destroy(); }
};

RECT WindowRect(HWND wnd)
{
    RECT rc = {};
    GetWindowRect(wnd, &rc);
    return rc;
}

} // namespace

TEST(WinUtil, TextBitsAndDates)
{
    const char* text = "abcdefghijklmnopqrst";
    EXPECT_STREQ("abc...qrst", FitText(text, 200, 100));
    EXPECT_EQ(text, FitText(text, 100, 100));
    EXPECT_STREQ("", FitText(text, 200, 10));
    EXPECT_STREQ("About...", MakeNameFromMenu("&About..."));
    EXPECT_EQ('X', GetMenuItemChar("E&xit"));
    EXPECT_EQ(0, GetMenuItemChar("Exit"));
    unsigned flags = 0xFA;
    SetBitsMask(flags, 0x0F, 0x05);
    EXPECT_EQ(0xF5u, flags);
    SYSTEMTIME t = {2003, 3, 1, 24};
    EXPECT_EQ(0x2E78, GetDOSdate(&t));
    char* copy = nullptr;
    StrRealloc(copy, "kept");
    EXPECT_STREQ("kept", copy);
    StrRealloc(copy, "");
    EXPECT_EQ(nullptr, copy);
}

TEST(WinUtil, SystemFamilyAndLibraryVersions)
{
    // Wine presents an NT-family system of Windows 2000 or later.
    EXPECT_TRUE(WinNT() && Win2K());
    EXPECT_FALSE(Win9x() || WinMe() || Win95() || WinNT4());
    EXPECT_EQ(0x400, GetVerDll("kernel32")); // no version export
    unsigned long build = 0;
    EXPECT_GE(GetVerDll(nullptr, nullptr, &build), 0x447);
    EXPECT_NE(0u, build);
    EXPECT_EQ(GetVerDll("COMCTL32"), GetVerDll_ComCtl32());
}

TEST(WinUtil, PlacementKeepsWindowsOnTheScreen)
{
    TestDlg dlg, other;
    int cxScreen = GetSystemMetrics(SM_CXSCREEN);
    SetWndPos(other.hWnd, 100, 50, 400, 300, 0);
    CenterWindow(dlg.hWnd, other.hWnd);
    RECT rc = WindowRect(dlg.hWnd);
    EXPECT_EQ(100 + (400 - (rc.right - rc.left)) / 2, rc.left);
    EXPECT_EQ(50 + (300 - (rc.bottom - rc.top)) / 2, rc.top);
    SetWndSize(dlg.hWnd, cxScreen + 200, 100, 0);
    CenterWindow(dlg.hWnd, nullptr);
    EXPECT_EQ(0, WindowRect(dlg.hWnd).left);
    SetWndPos(dlg.hWnd, -50, -40, 200, 100, 0);
    EnsureWindowVisible(dlg.hWnd);
    rc = WindowRect(dlg.hWnd);
    EXPECT_EQ(0, rc.left);
    EXPECT_EQ(0, rc.top);
    OffsetWnd(dlg.hWnd, 7, 9);
    ResizeWnd(dlg.hWnd, 10, 20);
    rc = WindowRect(dlg.hWnd);
    EXPECT_EQ(7, rc.left);
    EXPECT_EQ(9, rc.top);
    EXPECT_EQ(217, rc.right);
    EXPECT_EQ(129, rc.bottom);
}

TEST(WinUtil, DialogItemHelpers)
{
    TestDlg dlg;
    EXPECT_TRUE(IsWndClass(dlg.hWnd, "#32770"));
    EXPECT_TRUE(IsClassName(dlg.GetDlgItem(IDC_EDIT), "Edit"));
    EXPECT_FALSE(IsClassName(dlg.GetDlgItem(IDC_EDIT), "EDIT"));
    EXPECT_EQ(IDOK, GetDlgDefBtnID(dlg.hWnd));
    SetDlgDefBtnID(dlg.hWnd, IDCANCEL);
    EXPECT_EQ(IDCANCEL, GetDlgDefBtnID(dlg.hWnd));
    EXPECT_EQ(static_cast<DWORD>(BS_PUSHBUTTON), GetWindowLongA(dlg.GetDlgItem(IDOK), GWL_STYLE) & 0x0F);
    dlg.SetSpinRange(IDC_SPIN, 1, 60);
    int low = 0, high = 0;
    dlg.SendDlgItemMsg(IDC_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(1, low);
    EXPECT_EQ(60, high);
    EXPECT_EQ(0, EnableDlgItem(dlg.hWnd, 999, 0));
    EXPECT_EQ(1, ShowDlgItem(dlg.hWnd, IDC_EDIT, 0));
    EXPECT_FALSE(IsWindowVisible(dlg.GetDlgItem(IDC_EDIT)));
    // Lines of a multi-line edit control.
    HWND edit = CreateWindowA("EDIT", "ab\r\ncde", WS_CHILD | ES_MULTILINE, 0, 0, 200, 60, dlg.hWnd, nullptr,
                              nullptr, nullptr);
    EXPECT_EQ(2, EditCtrl_GetLineSize(edit, 0));
    EXPECT_EQ(3, EditCtrl_GetLineSize(edit, 1));
    EXPECT_EQ(0, EditCtrl_GetLineSize(edit, 2));
    char line[3];
    EXPECT_EQ(2, EditCtrl_GetLine(edit, 1, line, sizeof(line)));
    EXPECT_STREQ("cd", line);
}

TEST(WinUtil, InstancesAnswerForTheirTag)
{
    TestDlg dlg;
    dlg.wInstanceTag = 0x5A5;
    EXPECT_TRUE(ActivatePrevDlg(0x5A5));
    EXPECT_FALSE(ActivatePrevDlg(0x5A6));
    SingleInstanceXP first, second;
    EXPECT_EQ(1, first.IsFirstInstance(0, "VntTest"));
    EXPECT_EQ(0, second.IsFirstInstance(0, "VntTest"));
    MyMutex mutex(0, "VntTestMutex");
    EXPECT_EQ(1, mutex.Wait(0));
    mutex.Release();
    // A holder that ended without releasing: Wait does not count that as ownership and
    // hands the mutex back, so that the next waiter gets it.
    std::thread([] { MyMutex(0, "VntTestMutex").Wait(0); }).join();
    EXPECT_EQ(0, mutex.Wait(0));
    int nextGotIt = 0;
    std::thread([&] {
        MyMutex next(0, "VntTestMutex");
        nextGotIt = next.Wait(0);
        next.Release();
    }).join();
    EXPECT_EQ(1, nextGotIt);
    const BYTE item[] = {6, 0, 'a', 'b', 'c', 'd', 9, 0};
    ITEMIDLIST* copy = AllocPIDL(reinterpret_cast<const ITEMIDLIST*>(item));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(0, memcmp(copy, item, 6));
    EXPECT_EQ(0, reinterpret_cast<BYTE*>(copy)[6] | reinterpret_cast<BYTE*>(copy)[7]);
    FreePIDL(copy);
}
