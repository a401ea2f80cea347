#include "ui/FwWnd.h"
#include <stdarg.h>
#include "base/WinUtil.h"
#include "base/Module.h"
#include "base/ResStr.h"

FwWnd* FwWnd::pWndInit = nullptr;

FwWnd::FwWnd() : hWnd(nullptr), bAutoDelete(0), pfnPrevWndProc(nullptr) {}

// The window is left alone: an owner that still has one must Destroy or Unsubclass first.
FwWnd::~FwWnd() {}

LRESULT FwWnd::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = pfnPrevWndProc ? CallWindowProcA(pfnPrevWndProc, hWnd, msg, wParam, lParam)
                                    : DefWindowProcA(hWnd, msg, wParam, lParam);
    if (bAutoDelete && msg == WM_NCDESTROY) {
        // Unbound first, so that no later message of the window reaches freed memory.
        Unsubclass();
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
        delete this;
    }
    return result;
}

int FwWnd::RegisterClassExA(const char* pszClass, UINT style, HICON hIcon, HICON hIconSm,
                            HBRUSH hbrBackground, HCURSOR hCursor, const char* pszMenu,
                            int cbClsExtra, int cbWndExtra)
{
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = WndProc;
    wc.cbClsExtra = cbClsExtra;
    wc.cbWndExtra = cbWndExtra;
    wc.hInstance = GetLibraryModule();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszMenuName = pszMenu;
    wc.lpszClassName = pszClass;
    wc.hIconSm = hIconSm;
    return ::RegisterClassExA(&wc) != 0;
}

int FwWnd::UnregisterClassA(const char* pszClass)
{
    return ::UnregisterClassA(pszClass, GetLibraryModule()) != 0;
}

FwWnd* FwWnd::GetWnd(HWND hWnd)
{
    return reinterpret_cast<FwWnd*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
}

LRESULT CALLBACK FwWnd::WndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    FwWnd* pWnd = GetWnd(hWnd);
    if (!pWnd) {
        pWnd = pWndInit;
        if (!pWnd) // a window of our class that nobody handed over an object for
            return DefWindowProcA(hWnd, msg, wParam, lParam);
        SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pWnd));
        pWnd->hWnd = hWnd;
    }
    // A C++ exception cannot pass through the system's frames that called us: it ends
    // here as an unhandled message.
    try {
        return pWnd->OnMessage(msg, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

int FwWnd::Create(const char* pszClass, const char* pszName, DWORD style, int x, int y, int cx,
                  int cy, HWND hParent, HMENU hMenu, void* pParam)
{
    return CreateEx(0, pszClass, pszName, style, x, y, cx, cy, hParent, hMenu, pParam);
}

int FwWnd::CreateEx(DWORD exStyle, const char* pszClass, const char* pszName, DWORD style, int x,
                    int y, int cx, int cy, HWND hParent, HMENU hMenu, void* pParam)
{
    pWndInit = this;
    pfnPrevWndProc = DefWindowProcA;
    HWND hNew = CreateWindowExA(exStyle, pszClass, pszName, style, x, y, cx, cy, hParent, hMenu,
                                GetLibraryModule(), pParam);
    hWnd = hNew;
    pWndInit = nullptr;
    return hNew != nullptr;
}

int FwWnd::CommonSubclass(HWND hWndSub)
{
    if (!pfnPrevWndProc) {
        hWnd = hWndSub;
        pfnPrevWndProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        if (!pfnPrevWndProc)
            return 0;
    }
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc));
    return 1;
}

int FwWnd::Subclass(HWND hWndSub)
{
    if (!CommonSubclass(hWndSub))
        return 0;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return 1;
}

int FwWnd::CommonUnsubclass()
{
    if (!hWnd || !pfnPrevWndProc)
        return 0;
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnPrevWndProc));
    pfnPrevWndProc = nullptr;
    return 1;
}

int FwWnd::Unsubclass()
{
    if (!CommonUnsubclass())
        return 0;
    SetWindowLongPtrA(hWnd, GWLP_USERDATA, 0);
    return 1;
}

int FwWnd::Attach(HWND hWndNew)
{
    hWnd = hWndNew;
    return hWndNew != nullptr;
}

HWND FwWnd::Detach()
{
    HWND h = hWnd;
    hWnd = nullptr;
    return h;
}

int FwWnd::Destroy()
{
    HWND h = hWnd;
    if (!h || !IsWindow(h)) {
        hWnd = nullptr;
        return 0;
    }
    // An auto-deleting object is gone once its window is: nothing of it may be touched.
    if (bAutoDelete)
        return DestroyWindow(h) != 0;
    int ok = DestroyWindow(h) != 0;
    hWnd = nullptr;
    return ok;
}

int FwWnd::IsReady() const
{
    return this && hWnd && IsWindow(hWnd);
}

BOOL FwWnd::Invalidate(const RECT* pRect, BOOL bErase) { return InvalidateRect(hWnd, pRect, bErase); }
LRESULT FwWnd::SendMsg(UINT msg, WPARAM wParam, LPARAM lParam) { return SendMessageA(hWnd, msg, wParam, lParam); }
BOOL FwWnd::PostMsg(UINT msg, WPARAM wParam, LPARAM lParam) { return PostMessageA(hWnd, msg, wParam, lParam); }

BOOL FwWnd::PostCmd(WORD id, HWND hCtl, WORD code)
{
    return PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(hCtl));
}

HWND FwWnd::SetFocus() { return ::SetFocus(hWnd); }
BOOL FwWnd::Enable(BOOL bEnable) { return EnableWindow(hWnd, bEnable); }
BOOL FwWnd::Show(BOOL bShow) { return ShowWindow(hWnd, bShow ? SW_SHOW : SW_HIDE); }
int FwWnd::GetTextLength() { return GetWindowTextLengthA(hWnd); }
int FwWnd::GetText(char* psz, int cch) { return GetWindowTextA(hWnd, psz, cch); }
BOOL FwWnd::SetText(const char* psz) { return SetWindowTextA(hWnd, psz); }

DWORD FwWnd::GetStyle(BOOL bEx)
{
    return static_cast<DWORD>(GetWindowLongA(hWnd, bEx ? GWL_EXSTYLE : GWL_STYLE));
}

DWORD FwWnd::SetStyle(DWORD style, BOOL bEx)
{
    return static_cast<DWORD>(SetWindowLongA(hWnd, bEx ? GWL_EXSTYLE : GWL_STYLE, static_cast<LONG>(style)));
}

DWORD FwWnd::SetStyleBits(DWORD bits, BOOL bOn)
{
    unsigned style = GetStyle(FALSE);
    SetBitsBool(style, bits, bOn);
    return SetStyle(style, FALSE);
}

DWORD FwWnd::ModifyStyle(DWORD remove, DWORD add, BOOL bEx)
{
    DWORD style = GetStyle(bEx);
    style = (style & ~remove) | add;
    return SetStyle(style, bEx);
}

void FwWnd::SetIcon(HICON hIcon, UINT which)
{
    if (which & 1)
        SendMessageA(hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(hIcon));
    if (which & 2)
        SendMessageA(hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
}

HWND FwWnd::GetParent() { return ::GetParent(hWnd); }
HWND FwWnd::GetTopParent() { return ::GetTopParent(hWnd); }

BOOL CALLBACK FwWnd::EnableAllControlsCallBack(HWND hWnd, LPARAM lParam)
{
    EnableWindow(hWnd, static_cast<BOOL>(lParam));
    return TRUE;
}

void FwWnd::EnableAllControls(BOOL bEnable)
{
    EnumChildWindows(hWnd, EnableAllControlsCallBack, bEnable);
}

BOOL FwWnd::SetTextFmt(const char* pszFormat, ...)
{
    char sz[1024];
    va_list args;
    va_start(args, pszFormat);
    FormatBuf(sz, sizeof(sz), pszFormat, args); // a cut text never ends in half a character
    va_end(args);
    return SetWindowTextA(hWnd, sz);
}
