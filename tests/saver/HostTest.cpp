// The screen-saver host contract, checked on the real Vantora.scr process: command line,
// exit codes, saver windows, and the input rules that end a full-screen run.
#include <gtest/gtest.h>
#include <string>
#include "TestUtil.h"

namespace {

const char* kSaverClass = "WindowsScreenSaverClass";

int CountSaverWindows()
{
    int count = 0;
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, kSaverClass, nullptr)) != nullptr;)
        ++count;
    return count;
}

HWND CreatePreviewParent()
{
    return CreateWindowA("STATIC", "Display settings", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 200, 160, nullptr,
                         nullptr, nullptr, nullptr);
}

// Moves the cursor to a and b in turn, each time waiting for a message sent to the saver
// window: it is handled between two reads of the queue, so the window has handled what came
// before it. True when the window is still there after all moves. The points alternate
// because Wine answers a position older than 100 ms from the X pointer, which does not
// follow the moves while the saver holds it.
bool StaysOpen(HWND hWnd, POINT a, POINT b)
{
    for (int i = 0; i < 8; ++i) {
        SetCursorPos(i % 2 ? b.x : a.x, i % 2 ? b.y : a.y);
        DWORD_PTR result;
        if (!SendMessageTimeoutA(hWnd, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result))
            return false;
    }
    return IsWindow(hWnd) != FALSE;
}

} // namespace

// Keys, clicks and mouse movement over the preview do not end it; its parent's end does.
TEST(Host, PreviewRunsAsChildOfTheGivenWindowUntilItIsDestroyed)
{
    for (const char* mode : {"/p ", "/l"}) {
        SCOPED_TRACE(mode);
        HWND hParent = CreatePreviewParent();
        ChildProcess proc;
        ASSERT_TRUE(StartSaver(proc, mode + std::to_string(reinterpret_cast<ULONG_PTR>(hParent))));
        HWND hPreview = nullptr;
        ASSERT_TRUE(WaitFor([&] { return (hPreview = FindWindowExA(hParent, nullptr, kSaverClass, "Preview")); }));
        RECT rcParent, rcPreview;
        GetClientRect(hParent, &rcParent);
        GetClientRect(hPreview, &rcPreview);
        EXPECT_TRUE(EqualRect(&rcParent, &rcPreview));
        PostMessageA(hPreview, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageA(hPreview, WM_LBUTTONDOWN, 0, 0);
        POINT pt = {10, 10};
        ClientToScreen(hPreview, &pt);
        EXPECT_TRUE(StaysOpen(hPreview, pt, {pt.x + 40, pt.y + 30}));
        DestroyWindow(hParent);
        ASSERT_TRUE(proc.Wait());
        EXPECT_EQ(0u, proc.ExitCode());
    }
}

TEST(Host, InvalidArgumentsEndWithMinusOneAndShowNothing)
{
    HWND hDead = CreatePreviewParent();
    DestroyWindow(hDead);
    for (std::string args : {std::string("/p:1234"), "/p " + std::to_string(reinterpret_cast<ULONG_PTR>(hDead)),
                             std::string("/x")}) {
        SCOPED_TRACE(args);
        int windowsBefore = CountSaverWindows();
        ChildProcess proc;
        ASSERT_TRUE(StartSaver(proc, args));
        bool sawWindow = false;
        ASSERT_TRUE(WaitFor([&] {
            sawWindow = sawWindow || CountSaverWindows() > windowsBefore;
            return !proc.IsRunning();
        }));
        EXPECT_EQ(static_cast<DWORD>(-1), proc.ExitCode());
        EXPECT_FALSE(sawWindow);
    }
}

// One table of the host's input rules, one full-screen run per row, each started with one
// of the spellings of the full-screen argument. Keys, buttons, deactivation and a mouse
// travel of more than four pixels end the saver with 0. In the first row a second
// full-screen start gives way, and a power broadcast and a travel of four pixels do not end it.
TEST(Host, InputRulesEndTheFullScreenSaver)
{
    const struct {
        const char* name;
        UINT msg; // posted to the saver window; 0: the row's own input
        WPARAM wParam;
    } rows[] = {{"mouse", 0, 0}, {"key", WM_KEYDOWN, VK_SHIFT}, {"right button", WM_RBUTTONDOWN, 0},
                {"deactivation", WM_ACTIVATEAPP, FALSE}, {"real keyboard", 0, 0}};
    const char* const spellings[] = {"/S", "-s", " s"};
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        SCOPED_TRACE(rows[i].name);
        SetCursorPos(300, 300);
        ChildProcess proc;
        ASSERT_TRUE(StartSaver(proc, spellings[i % 3]));
        HWND hWnd = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            return (hWnd = FindProcessWindow(proc.Id(), kSaverClass, "Screen Saver")) && IsWindowVisible(hWnd);
        }));
        EXPECT_EQ(WS_POPUP | WS_VISIBLE, GetWindowLongA(hWnd, GWL_STYLE) & (WS_POPUP | WS_VISIBLE));
        EXPECT_TRUE(GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
        RECT rc, screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        GetWindowRect(hWnd, &rc);
        EXPECT_TRUE(EqualRect(&screen, &rc));
        if (rows[i].msg) {
            PostMessageA(hWnd, rows[i].msg, rows[i].wParam, 0);
        } else if (i == 0) {
            ChildProcess second;
            ASSERT_TRUE(StartSaver(second, "/s"));
            ASSERT_TRUE(second.Wait());
            EXPECT_EQ(0u, second.ExitCode());
            EXPECT_EQ(1, CountSaverWindows());
            PostMessageA(hWnd, WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0);
            EXPECT_TRUE(StaysOpen(hWnd, {303, 301}, {302, 302})); // 4 pixels away
            for (int k = 0; k < 1000 && !WaitFor([&] { return !proc.IsRunning(); }, 20); ++k)
                SetCursorPos(303 + k % 2, 302 - k % 2); // 5 pixels away, until it ends
        } else {
            ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == hWnd; }, 5000));
            keybd_event(VK_SPACE, 0, 0, 0);
            keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
        }
        ASSERT_TRUE(proc.Wait());
        EXPECT_EQ(0u, proc.ExitCode());
    }
}
