// The saver window and its default procedure: which messages the host answers itself,
// which input ends a full-screen run, and the message loop.
#include "ScreenSaverHost.h"
#include <imm.h>
#include "base/FwLibrary.h"
#include "base/SysInfo.h"
#include "base/FwDC.h"
#include "ui/FindScreenSaverWnd.h"

HINSTANCE hMainInstance = nullptr;
HWND hMainWindow = nullptr;
BOOL fChildPreview = FALSE;

namespace {

const int kMouseSlack = 4;      // pixels the mouse may wander before the saver ends
POINT s_ptMouse = {};          // cursor position recorded at creation and after each close
BOOL s_bClosing = FALSE;       // a close was approved: input and timers are no longer passed on
HIMC s_hImc = nullptr;         // the input-method context taken away from the saver window

bool IsInputMessage(UINT msg)
{
    return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST);
}

// The class procedure: consumes what the host answers itself and hands the rest to the
// program's ScreenSaverProc.
LRESULT CALLBACK HostWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_CREATE:
        s_hImc = ImmAssociateContext(hWnd, nullptr);
        GetCursorPos(&s_ptMouse);
        break;
    case WM_DESTROY:
        ImmAssociateContext(hWnd, s_hImc);
        PostQuitMessage(0);
        break;
    case WM_SETTEXT:
        return 0;
    case WM_SYSCOMMAND:
        if (!fChildPreview) {
            switch (wParam & 0xFFF0) {
            case SC_NEXTWINDOW:
            case SC_PREVWINDOW:
            case SC_SCREENSAVE:
                return 0;
            }
        }
        break;
    case WM_HELP:
    case WM_CONTEXTMENU:
        if (fChildPreview)
            return SendMessageA(GetParent(hWnd), msg, wParam, lParam);
        break;
    case WM_TIMER:
        if (s_bClosing)
            return 0;
        Sleep(0);
        break;
    default:
        if (s_bClosing && (IsInputMessage(msg) || msg == WM_PAINT))
            return DefWindowProcA(hWnd, msg, wParam, lParam);
        break;
    }
    return ScreenSaverProc(hWnd, msg, wParam, lParam);
}

int RunSaverWindow(HWND hParent)
{
    fChildPreview = hParent != nullptr;
    if (!fChildPreview) {
        // A second full-screen start gives way to the saver already running.
        HWND hRunning = FindWindowA(SCREENSAVER_CLASS, "Screen Saver");
        if (hRunning) {
            SetForegroundWindow(hRunning);
            return 0;
        }
    }

    WNDCLASSA wc = {};
    wc.style = CS_OWNDC | CS_DBLCLKS | CS_VREDRAW | CS_HREDRAW;
    wc.lpfnWndProc = HostWndProc;
    wc.hInstance = hMainInstance;
    wc.hIcon = LoadIconA(hMainInstance, MAKEINTRESOURCEA(IDI_SAVER));
    wc.hCursor = nullptr;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = SCREENSAVER_CLASS;
    if (!RegisterClassA(&wc))
        return -1;

    if (fChildPreview) {
        RECT rc;
        GetClientRect(hParent, &rc);
        hMainWindow = CreateWindowExA(0, SCREENSAVER_CLASS, "Preview",
                                      WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, rc.right,
                                      rc.bottom, hParent, nullptr, hMainInstance, nullptr);
    } else {
        RECT rc = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        if (GetSystemMetrics(SM_CMONITORS) > 1) {
            // Every monitor is covered; the slideshow shows a picture on each.
            SetRect(&rc, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN));
        } else {
            ClientDC screen(nullptr);
            if (screen.hDC)
                GetClipBox(screen, &rc);
        }
        hMainWindow = CreateWindowExA(WS_EX_TOPMOST, SCREENSAVER_CLASS, "Screen Saver",
                                      WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                                      rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top,
                                      nullptr, nullptr, hMainInstance, nullptr);
    }
    if (!hMainWindow)
        return -1;
    if (!fChildPreview)
        SetForegroundWindow(hMainWindow);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

// The system's dialog for changing the screen-saver password; Windows 95, 98 and Me only.
int RunPasswordChange(HWND hOwner)
{
    typedef DWORD(WINAPI * PwdChangeFn)(LPCSTR, HWND, DWORD, LPVOID);
    FwLibrary mpr("MPR.DLL");
    PwdChangeFn pfn = reinterpret_cast<PwdChangeFn>(mpr.GetProc("PwdChangePasswordA"));
    if (pfn)
        pfn("SCRSAVE", hOwner, 0, nullptr);
    return 0;
}

} // namespace

LRESULT WINAPI DefScreenSaverProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!fChildPreview && !s_bClosing) {
        switch (msg) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            PostMessageA(hWnd, WM_CLOSE, 0, 0);
            break;
        case WM_MOUSEMOVE: {
            POINT pt;
            GetCursorPos(&pt);
            int distance = abs(pt.x - s_ptMouse.x) + abs(pt.y - s_ptMouse.y);
            if (distance > kMouseSlack) {
                PostMessageA(hWnd, WM_CLOSE, 0, 0);
                s_ptMouse = pt;
            }
            break;
        }
        case WM_ACTIVATEAPP:
            if (!wParam)
                PostMessageA(hWnd, WM_CLOSE, 0, 0);
            break;
        case WM_POWER:
            if (wParam == PWR_CRITICALRESUME)
                PostMessageA(hWnd, WM_CLOSE, 0, 0);
            break;
        case WM_POWERBROADCAST:
            PostMessageA(hWnd, WM_CLOSE, 0, 0);
            break;
        case WM_SETCURSOR:
            SetCursor(nullptr);
            return TRUE;
        case WM_SHOWWINDOW:
            if (wParam)
                SetCursor(nullptr);
            break;
        case WM_CLOSE:
            s_bClosing = TRUE;
            break;
        }
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int RunScreenSaverHost(HINSTANCE hInst, const char* pszArgs)
{
    hMainInstance = hInst;
    HostCommand cmd = ParseHostArguments(pszArgs);
    switch (cmd.mode) {
    case HostCommand::modeSaver:
        return RunSaverWindow(nullptr);
    case HostCommand::modePreview:
        return RunSaverWindow(cmd.hWnd);
    case HostCommand::modePassword:
        return Win9x() ? RunPasswordChange(cmd.hWnd) : -1;
    case HostCommand::modeConfig:
        if (!RegisterDialogClasses(hInst))
            return 0;
        return static_cast<int>(DialogBoxParamA(hInst, MAKEINTRESOURCEA(IDD_SAVER_PARENT), cmd.hWnd,
                                                reinterpret_cast<DLGPROC>(ScreenSaverConfigureDialog), 0));
    default:
        return -1;
    }
}
