// The slideshow goes on after input that does not end the saver, and a close sent in the
// middle of a gradual replacement ends the drawing without touching the deleted object.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include <string.h>
#include "SlideshowWnd.h"
#include "TestUtil.h"

namespace {

const char* kClass = "VntSlideshowRearmTest";
const COLORREF kRed = RGB(255, 0, 0);

// Fills its memory with a pattern when deleted, so that any use after the deletion reads
// garbage (a null-looking window, a wild previous procedure) and fails loudly.
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

// A full-screen slideshow window with gradual replacement, its first frame prepared, shown
// and painted red all over.
template <class Show>
Show* CreateRedSlideshow()
{
    static bool registered = false;
    if (!registered)
        registered = FwWnd::RegisterClassExA(kClass, CS_OWNDC, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    Show* p = new Show;
    if (!p->CreateEx(WS_EX_TOPMOST, kClass, "Slideshow", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                     GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr)) {
        delete p;
        return nullptr;
    }
    ShowWindow(p->hWnd, SW_SHOWNOACTIVATE);
    p->opts.dwOpts = OPT_SS_CHANGE | OPT_SS_GRADUAL;
    p->opts.dwTimeOut = 30;
    WaitFor([&] { return !p->IsShowDue() && !p->preparer.IsBusy(); });
    p->bTimerFired = 1; // from here on input cuts a replacement short
    HDC hdc = GetDC(p->hWnd);
    RECT rc;
    GetClientRect(p->hWnd, &rc);
    HBRUSH hbr = CreateSolidBrush(kRed);
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);
    ReleaseDC(p->hWnd, hdc);
    return p;
}

bool IsRedAt(HWND hWnd, int x, int y)
{
    HDC hdc = GetDC(hWnd);
    COLORREF c = GetPixel(hdc, x, y);
    ReleaseDC(hWnd, hdc);
    return c == kRed;
}

DWORD WINAPI SendClose(void* hWnd)
{
    SendMessageA(static_cast<HWND>(hWnd), WM_CLOSE, 0, 0);
    return 0;
}

const char kSettings[] = "Software\\Corvane\\Vantora\\ControlPanel";
const char kBackup[] = "Software\\VantoraTest\\RearmSettings";

// The real settings key is copied aside while the test's settings are in place.
class SettingsInPlace {
public:
    SettingsInPlace(DWORD opts, DWORD timeOut)
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kBackup);
        bSaved = CopyKey(kSettings, kBackup);
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
        SHSetValueA(HKEY_CURRENT_USER, kSettings, "Options", REG_DWORD, &opts, sizeof opts);
        SHSetValueA(HKEY_CURRENT_USER, kSettings, "SS_TimeOut", REG_DWORD, &timeOut, sizeof timeOut);
        SHSetValueA(HKEY_CURRENT_USER, kSettings, "SS", REG_BINARY, "1A\0", 4);
    }
    ~SettingsInPlace()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
        if (bSaved)
            CopyKey(kBackup, kSettings);
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest");
    }

private:
    bool bSaved;
    static bool CopyKey(const char* from, const char* to)
    {
        HKEY src, dst;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &src) != ERROR_SUCCESS)
            return false;
        bool ok = RegCreateKeyA(HKEY_CURRENT_USER, to, &dst) == ERROR_SUCCESS;
        if (ok) {
            ok = SHCopyKeyA(src, nullptr, dst, 0) == ERROR_SUCCESS;
            RegCloseKey(dst);
        }
        RegCloseKey(src);
        return ok;
    }
};

// The grey level at the centre of the screen, or -1 when it is no plain grey.
int GreyAtCentre()
{
    HDC screen = GetDC(nullptr);
    COLORREF c = GetPixel(screen, GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2);
    ReleaseDC(nullptr, screen);
    int g = GetGValue(c);
    return abs(GetRValue(c) - g) <= 4 && abs(GetBValue(c) - g) <= 4 ? g : -1;
}

} // namespace

// The real saver, nudged by one pixel at a time for four seconds with a picture every
// second: the nudges do not end it, and the pictures keep changing afterwards.
TEST(SlideshowRearm, SaverGoesOnAfterSmallMouseMoves)
{
    SettingsInPlace settings(OPT_SS_CHANGE | OPT_SS_GRADUAL, 1);
    ScratchDir dir("vntnudge");
    ASSERT_TRUE(CopyProduct(dir.Path()));
    ASSERT_TRUE(CreateDirectoryA((dir / "Images").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((dir / "Images\\A").c_str(), nullptr));
    for (const char* name : {"01_Grey_50.jpg", "02_Grey_100.jpg", "03_Grey_150.jpg", "04_Grey_200.jpg"})
        ASSERT_TRUE(CopyFileA((TestDir() + "\\fixtures\\saver\\A\\" + name).c_str(),
                              (dir / "Images\\A\\" + name).c_str(), FALSE));
    POINT pt = {GetSystemMetrics(SM_CXSCREEN) / 3, GetSystemMetrics(SM_CYSCREEN) / 3};
    SetCursorPos(pt.x, pt.y);

    ChildProcess saver;
    ASSERT_TRUE(StartSaver(saver, "/s", dir.Path()));
    HWND hWnd = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (hWnd = FindProcessWindow(saver.Id(), "WindowsScreenSaverClass")) != nullptr; }));
    ASSERT_TRUE(WaitFor([] { return GreyAtCentre() > 0; }));

    DWORD start = GetTickCount();
    for (int i = 0; GetTickCount() - start < 4000; ++i) {
        SetCursorPos(pt.x + i % 2, pt.y);
        PumpMessages(30);
    }
    ASSERT_TRUE(saver.IsRunning()) << "moves of one pixel ended the saver";
    int changes = 0, last = GreyAtCentre();
    WaitFor([&] {
        int grey = GreyAtCentre();
        if (grey > 0 && abs(grey - last) > 10) {
            ++changes;
            last = grey;
        }
        return changes >= 2;
    }, 8000);
    EXPECT_GE(changes, 2) << "pictures after the nudges";
    PostMessageA(hWnd, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(saver.Wait(20000));
    EXPECT_EQ(0u, saver.ExitCode());
}

// Input that cuts a replacement short but does not end the saver (a small mouse move, a key
// release): the picture is finished at the next moment and the timer runs on.
TEST(SlideshowRearm, ReplacementCutShortByInputIsFinished)
{
    for (UINT input : {WM_MOUSEMOVE, WM_KEYUP}) {
        SCOPED_TRACE(input);
        SlideshowWnd* p = CreateRedSlideshow<SlideshowWnd>();
        ASSERT_NE(nullptr, p);
        HWND hWnd = p->hWnd;
        int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
        PostMessageA(hWnd, input, 0, 0);
        HDC hdc = GetDC(hWnd);
        p->ShowNext(hdc);
        ReleaseDC(hWnd, hdc);
        EXPECT_TRUE(IsRedAt(hWnd, 0, 0) || IsRedAt(hWnd, cx - 1, cy - 1)) << "cut short";
        EXPECT_TRUE(WaitFor([&] { return !IsRedAt(hWnd, 0, 0) && !IsRedAt(hWnd, cx - 1, cy - 1) &&
                                         !IsRedAt(hWnd, cx / 2, cy / 2); }, 10000));
        UINT elapse = 0;
        EXPECT_TRUE(p->timer.IsTicking());
        EXPECT_TRUE(p->GetInterval(elapse));
        DestroyWindow(hWnd);
    }
}

// The close comes from another thread while the replacement asks whether input waits: the
// window and the object go, and the timer tick that started the drawing returns quietly.
TEST(SlideshowRearm, CloseSentDuringReplacementEndsTheDrawing)
{
    PoisonedSlideshow* p = CreateRedSlideshow<PoisonedSlideshow>();
    ASSERT_NE(nullptr, p);
    HWND hWnd = p->hWnd;
    PoisonedSlideshow::nDeleted = 0;
    DWORD tid;
    HANDLE hThread = CreateThread(nullptr, 0, SendClose, hWnd, 0, &tid);
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
