// The slideshow goes on after input that does not end the saver, and a close sent in the
// middle of a gradual replacement ends the drawing without touching the deleted object.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <string.h>
#include "SlideshowWnd.h"
#include "TestUtil.h"

namespace {

const char kSettings[] = "Software\\Corvane\\Vantora\\ControlPanel";

// Fills its memory with a pattern when deleted, so that any use after the deletion reads a
// wild previous procedure or window and fails loudly.
class PoisonedSlideshow : public SlideshowWnd {
public:
    static int nDeleted;
    static void operator delete(void* p, size_t size)
    {
        memset(p, 0xDD, size);
        ++nDeleted;
        ::operator delete(p);
    }
};
int PoisonedSlideshow::nDeleted = 0;

DWORD WINAPI SendClose(void* hWnd)
{
    SendMessageA(static_cast<HWND>(hWnd), WM_CLOSE, 0, 0);
    return 0;
}

// A full-screen slideshow with gradual replacement every 30 s, its first picture shown and
// the next one prepared.
template <class Show>
Show* CreateSlideshow()
{
    FwWnd::RegisterClassExA("VntSlideshowRearm", CS_OWNDC, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    Show* p = new Show;
    if (!p->CreateEx(WS_EX_TOPMOST, "VntSlideshowRearm", "Slideshow", WS_POPUP | WS_VISIBLE, 0, 0,
                     GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr))
        return nullptr;
    p->opts.dwOpts = OPT_SS_CHANGE | OPT_SS_GRADUAL;
    p->opts.dwTimeOut = 30;
    WaitFor([&] { return !p->IsShowDue() && !p->preparer.IsBusy(); });
    return p;
}

// The grey level of a screen pixel, or -1 when it is no plain grey.
int GreyAt(int x, int y)
{
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    int g = GetGValue(c);
    return abs(GetRValue(c) - g) <= 4 && abs(GetBValue(c) - g) <= 4 ? g : -1;
}

} // namespace

// The real saver with a gradual replacement every second, nudged by one pixel at a time for
// four seconds: the nudges cut replacements short but do not end the saver, the pictures
// keep changing afterwards, and each is finished all over the screen.
TEST(SlideshowRearm, SaverGoesOnAfterSmallMouseMoves)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, kSettings); // the saver's own settings, dropped again below
    DWORD opts = OPT_SS_CHANGE | OPT_SS_GRADUAL, timeOut = 1;
    SHSetValueA(HKEY_CURRENT_USER, kSettings, "Options", REG_DWORD, &opts, sizeof opts);
    SHSetValueA(HKEY_CURRENT_USER, kSettings, "SS_TimeOut", REG_DWORD, &timeOut, sizeof timeOut);
    ScratchDir dir("vntnudge");
    ASSERT_TRUE(CopyProduct(dir.Path()));
    ASSERT_TRUE(CreateDirectoryA((dir / "Images").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir / "Images\\A").c_str(), nullptr));
    for (const char* name : {"01_Grey_50.jpg", "02_Grey_100.jpg", "03_Grey_150.jpg", "04_Grey_200.jpg"})
        ASSERT_TRUE(CopyFileA((TestDir() + "\\fixtures\\saver\\A\\" + name).c_str(),
                              (dir / "Images\\A\\" + name).c_str(), FALSE));
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SetCursorPos(cx / 3, cy / 3);

    ChildProcess saver;
    ASSERT_TRUE(StartSaver(saver, "/s", dir.Path()));
    HWND hWnd = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hWnd = FindProcessWindow(saver.Id(), "WindowsScreenSaverClass")) != nullptr; }));
    ASSERT_TRUE(WaitFor([&] { return GreyAt(cx / 2, cy / 2) > 0; }));
    DWORD start = GetTickCount();
    for (int i = 0; GetTickCount() - start < 4000; ++i) {
        SetCursorPos(cx / 3 + i % 2, cy / 3);
        PumpMessages(30);
    }
    ASSERT_TRUE(saver.IsRunning()) << "moves of one pixel ended the saver";

    // A 4:3 picture fills the screen but for the caption's line: its corners and centre
    // show one grey once a replacement is finished.
    int changes = 0, last = GreyAt(cx / 2, cy / 2);
    WaitFor([&] {
        int grey = GreyAt(cx / 2, cy / 2);
        if (grey > 0 && abs(grey - last) > 10 && grey == GreyAt(30, 2) && grey == GreyAt(cx - 30, cy - 40)) {
            ++changes;
            last = grey;
        }
        return changes >= 2;
    }, 10000);
    EXPECT_GE(changes, 2) << "whole pictures after the nudges";
    PostMessageA(hWnd, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(saver.Wait(20000));
    EXPECT_EQ(0u, saver.ExitCode());
    SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
}

// A small mouse move cuts a replacement short without ending the saver: the picture is
// finished at once and not only at the next change 30 s later.
TEST(SlideshowRearm, ReplacementCutShortIsFinished)
{
    SlideshowWnd* p = CreateSlideshow<SlideshowWnd>();
    ASSERT_NE(nullptr, p);
    p->bTimerFired = 1;
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    HDC hdc = GetDC(p->hWnd);
    PatBlt(hdc, 0, 0, cx, cy, WHITENESS);
    PostMessageA(p->hWnd, WM_MOUSEMOVE, 0, 0);
    p->ShowNext(hdc);
    EXPECT_EQ(RGB(255, 255, 255), GetPixel(hdc, cx - 1, cy - 1)) << "cut short";
    EXPECT_TRUE(WaitFor([&] { return GetPixel(hdc, 0, 0) == 0 && GetPixel(hdc, cx - 1, cy - 1) == 0; }, 10000));
    ReleaseDC(p->hWnd, hdc);
    EXPECT_TRUE(p->timer.IsTicking());
    DestroyWindow(p->hWnd);
}

// The close comes from another thread while the replacement asks whether input waits: the
// window and the object go, and the timer tick that started the drawing returns quietly.
TEST(SlideshowRearm, CloseSentDuringReplacementEndsTheDrawing)
{
    PoisonedSlideshow* p = CreateSlideshow<PoisonedSlideshow>();
    ASSERT_NE(nullptr, p);
    HWND hWnd = p->hWnd;
    PoisonedSlideshow::nDeleted = 0;
    HANDLE hThread = CreateThread(nullptr, 0, SendClose, hWnd, 0, nullptr);
    ASSERT_NE(nullptr, hThread);
    // The close waits in this thread's queue until the drawing looks for input.
    DWORD start = GetTickCount();
    while (!(GetQueueStatus(QS_SENDMESSAGE) & QS_SENDMESSAGE) && GetTickCount() - start < 10000)
        Sleep(1);
    EXPECT_EQ(0, SendMessageA(hWnd, WM_TIMER, 1, 0));
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(1, PoisonedSlideshow::nDeleted);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 10000));
    CloseHandle(hThread);
}
