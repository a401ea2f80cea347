// FwWnd binding, dispatch and subclassing, checked on real windows.
#include <gtest/gtest.h>
#include <vector>
#include "ui/FwWnd.h"
#include "TestUtil.h"
#include "base/Module.h"

namespace {

const char* kClass = "VntTestWnd";

// Records every message its OnMessage sees.
class RecordingWnd : public FwWnd {
public:
    std::vector<UINT> msgs;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        msgs.push_back(msg);
        return FwWnd::OnMessage(msg, wParam, lParam);
    }
    bool Saw(UINT msg) const
    {
        for (UINT m : msgs)
            if (m == msg)
                return true;
        return false;
    }
};

// Counts its own deletion.
class AutoDeleteWnd : public FwWnd {
public:
    explicit AutoDeleteWnd(int* pDeleted) : pDeleted(pDeleted) { bAutoDelete = 1; }
    ~AutoDeleteWnd() override { ++*pDeleted; }
    int* pDeleted;
};

class FwWndTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        FwWnd::RegisterClassExA(kClass, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    }
};

LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

HWND CreatePlainWindow()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VntPlain";
    RegisterClassA(&wc);
    return CreateWindowA("VntPlain", "plain", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), nullptr);
}

} // namespace

TEST_F(FwWndTest, CreatedWindowIsBoundFromItsFirstMessage)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(kClass, "t", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, FwWnd::pWndInit);
    ASSERT_FALSE(wnd.msgs.empty());
    // The creation messages arrive in their usual order.
    std::vector<UINT> creation;
    for (UINT m : wnd.msgs)
        if (m == WM_NCCREATE || m == WM_NCCALCSIZE || m == WM_CREATE)
            creation.push_back(m);
    EXPECT_EQ((std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}), creation);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(&wnd), GetWindowLongPtrA(wnd.hWnd, GWLP_USERDATA));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(DefWindowProcA), wnd.pfnPrevWndProc);
    EXPECT_TRUE(wnd.IsReady());
    wnd.SendMsg(WM_USER, 0, 0);
    EXPECT_TRUE(wnd.Saw(WM_USER));
    EXPECT_TRUE(wnd.Destroy());
    EXPECT_EQ(nullptr, wnd.hWnd);
    EXPECT_FALSE(wnd.IsReady());
}

// A failed create leaves the object unbound and the hand-over clear; a window of our class
// without an object gets the default handling; unsubclassing an unbound object does nothing.
TEST_F(FwWndTest, FailuresAndWindowsWithoutObject)
{
    RecordingWnd wnd;
    EXPECT_FALSE(wnd.Create("NoSuchClassAnywhere", "t", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr));
    EXPECT_EQ(nullptr, wnd.hWnd);
    EXPECT_EQ(nullptr, FwWnd::pWndInit);
    FwWnd unbound;
    EXPECT_FALSE(unbound.Unsubclass());
    EXPECT_EQ(nullptr, unbound.hWnd);
    EXPECT_EQ(nullptr, unbound.pfnPrevWndProc);

    HWND h = CreateWindowA(kClass, "orphan", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                           GetLibraryModule(), nullptr);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(0, GetWindowLongPtrA(h, GWLP_USERDATA));
    char title[32];
    GetWindowTextA(h, title, sizeof(title));
    EXPECT_STREQ("orphan", title);
    DestroyWindow(h);
}

TEST_F(FwWndTest, SubclassRoutesMessagesAndUnsubclassRestores)
{
    HWND h = CreatePlainWindow();
    ASSERT_NE(nullptr, h);
    WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC));
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Subclass(h));
    EXPECT_EQ(original, wnd.pfnPrevWndProc);
    SendMessageA(h, WM_USER + 7, 0, 0);
    EXPECT_TRUE(wnd.Saw(WM_USER + 7));

    // A second Subclass keeps the window and never takes WndProc as the previous procedure.
    HWND other = CreatePlainWindow();
    EXPECT_TRUE(wnd.Subclass(other));
    EXPECT_EQ(h, wnd.hWnd);
    EXPECT_EQ(original, wnd.pfnPrevWndProc);
    EXPECT_EQ(original, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(other, GWLP_WNDPROC)));

    EXPECT_TRUE(wnd.Unsubclass());
    EXPECT_EQ(original, reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)));
    EXPECT_EQ(0, GetWindowLongPtrA(h, GWLP_USERDATA));
    EXPECT_EQ(nullptr, wnd.pfnPrevWndProc);
    size_t seen = wnd.msgs.size();
    SendMessageA(h, WM_USER + 8, 0, 0);
    EXPECT_EQ(seen, wnd.msgs.size());
    DestroyWindow(h);
    DestroyWindow(other);
}

TEST_F(FwWndTest, AutoDeleteObjectDiesWithItsWindow)
{
    int deleted = 0;
    AutoDeleteWnd* p = new AutoDeleteWnd(&deleted);
    ASSERT_TRUE(p->Create(kClass, "auto", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr, nullptr));
    HWND h = p->hWnd;
    DestroyWindow(h);
    EXPECT_EQ(1, deleted);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(FwWndTest, StyleOperations)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.Create(kClass, "s", WS_OVERLAPPED | WS_CAPTION, 0, 0, 50, 50, nullptr, nullptr, nullptr));
    wnd.SetStyleBits(WS_THICKFRAME, TRUE);
    EXPECT_TRUE(wnd.GetStyle() & WS_THICKFRAME);
    wnd.SetStyleBits(WS_THICKFRAME, FALSE);
    EXPECT_FALSE(wnd.GetStyle() & WS_THICKFRAME);
    wnd.ModifyStyle(0, WS_EX_TOOLWINDOW, TRUE);
    EXPECT_TRUE(wnd.GetStyle(TRUE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(wnd.GetStyle(FALSE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(wnd.hWnd, wnd.GetTopParent());
    wnd.SetTextFmt("%d-%s", 12, "ab");
    char text[16];
    wnd.GetText(text, sizeof(text));
    EXPECT_STREQ("12-ab", text);
    wnd.Destroy();
}
