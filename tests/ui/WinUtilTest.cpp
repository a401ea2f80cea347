// Window utilities on real windows: fitting text, placement, dialog items, the mutex.
#include <gtest/gtest.h>
#include <thread>
#include <vector>
#include "TestDialogs.h"
#include "UiTestUtil.h"
#include "base/MyMutex.h"
#include "base/TextUtil.h"
#include "base/WinUtil.h"
#include "ui/FwDlg.h"

using WinUtil = UiTest;

TEST_F(WinUtil, PlacementKeepsWindowsOnTheScreen)
{
    auto popup = [](int x, int y, int cx, int cy) {
        return CreateWindowA("STATIC", "", WS_POPUP, x, y, cx, cy, nullptr, nullptr, nullptr,
                             nullptr);
    };
    auto rect = [](HWND h) {
        RECT rc = {};
        GetWindowRect(h, &rc);
        return std::vector<LONG>{rc.left, rc.top, rc.right, rc.bottom};
    };
    HWND wnd = popup(0, 0, 200, 100), over = popup(100, 50, 400, 300);
    HWND off = popup(-300, -200, 200, 100);
    ASSERT_TRUE(wnd && over && off);
    CenterWindow(wnd, over);
    EXPECT_EQ((std::vector<LONG>{200, 150, 400, 250}), rect(wnd));
    // Centred over a window off the screen's top left: moved onto the screen.
    CenterWindow(wnd, off);
    EXPECT_EQ((std::vector<LONG>{0, 0, 200, 100}), rect(wnd));
    OffsetWnd(wnd, 7, 9);
    ResizeWnd(wnd, 10, 20);
    EXPECT_EQ((std::vector<LONG>{7, 9, 217, 129}), rect(wnd));
    // Wider than the screen: its left edge stays on it.
    SetWndPos(wnd, 50, 50, GetSystemMetrics(SM_CXSCREEN) + 200, 100, 0);
    CenterWindow(wnd, nullptr);
    EXPECT_EQ(0, rect(wnd)[0]);
    for (HWND h : {wnd, over, off})
        DestroyWindow(h);
}

TEST_F(WinUtil, TextDialogItemsAndTheMutex)
{
    const char* text = "abcdefghijklmnopqrst";
    EXPECT_STREQ("abc...qrst", FitText(text, 200, 100));
    EXPECT_EQ(text, FitText(text, 100, 100));
    EXPECT_STREQ("", FitText(text, 200, 10));
    FwDlg dlg;
    ASSERT_NE(nullptr, dlg.Modeless(IDD_TEST, TestModule(), nullptr));
    EXPECT_TRUE(IsWndClass(dlg.hWnd, "#32770"));
    EXPECT_TRUE(IsWndClass(dlg.GetDlgItem(IDC_EDIT), "EDIT"));
    dlg.SetSpinRange(IDC_SPIN, 1, 60);
    int low = 0, high = 0;
    dlg.SendDlgItemMsg(IDC_SPIN, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(1, low);
    EXPECT_EQ(60, high);
    dlg.Destroy();
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
}
