#include "base/WinUtil.h"
#include "base/FwDC.h"
#include "base/GdiHolders.h"

void SetBitsBool(unsigned& flags, unsigned bits, int on)
{
    if (on)
        flags |= bits;
    else
        flags &= ~bits;
}

void SetBitsBool(unsigned short& flags, unsigned short bits, int on)
{
    if (on)
        flags |= bits;
    else
        flags &= static_cast<unsigned short>(~bits);
}

void SetBitsMask(unsigned& flags, unsigned long mask, unsigned long values)
{
    flags = (flags & ~mask) | (values & mask);
}

// Moves rc (screen coordinates) so that it lies within the screen of wnd's DC; a window
// larger than the screen keeps its left or top edge on the screen.
static void KeepOnScreen(HWND wnd, RECT& rc)
{
    ClientDC hdc(wnd);
    if (!hdc)
        return;
    int cxScreen = GetDeviceCaps(hdc, HORZRES);
    int cyScreen = GetDeviceCaps(hdc, VERTRES);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    if (rc.left + cx > cxScreen)
        rc.left = cxScreen - cx;
    if (rc.top + cy > cyScreen)
        rc.top = cyScreen - cy;
    if (rc.left < 0)
        rc.left = 0;
    if (rc.top < 0)
        rc.top = 0;
    rc.right = rc.left + cx;
    rc.bottom = rc.top + cy;
}

// A child window moves in its parent's client coordinates.
static BOOL MoveToScreenPos(HWND wnd, int x, int y)
{
    POINT pt = {x, y};
    HWND parent = (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : nullptr;
    if (parent)
        ScreenToClient(parent, &pt);
    return SetWndOrigin(wnd, pt.x, pt.y, 0);
}

int CenterWindow(HWND wnd, HWND over)
{
    RECT rc, rcOver;
    if (!GetWindowRect(wnd, &rc))
        return 0;
    if (!over || !GetWindowRect(over, &rcOver))
        GetWindowRect(GetDesktopWindow(), &rcOver);
    int cx = rc.right - rc.left, cy = rc.bottom - rc.top;
    rc.left = rcOver.left + (rcOver.right - rcOver.left - cx) / 2;
    rc.top = rcOver.top + (rcOver.bottom - rcOver.top - cy) / 2;
    rc.right = rc.left + cx;
    rc.bottom = rc.top + cy;
    KeepOnScreen(wnd, rc);
    return MoveToScreenPos(wnd, rc.left, rc.top);
}

int EnsureWindowVisible(HWND wnd)
{
    RECT rc;
    if (!GetWindowRect(wnd, &rc))
        return 0;
    RECT moved = rc;
    KeepOnScreen(wnd, moved);
    if (moved.left == rc.left && moved.top == rc.top)
        return 1;
    return MoveToScreenPos(wnd, moved.left, moved.top);
}

// GetParent continues from an owned top-level window to its owner, so the chain ends at
// the outermost window a user sees.
HWND GetTopParent(HWND hWnd)
{
    HWND hParent;
    while ((hParent = GetParent(hWnd)) != nullptr)
        hWnd = hParent;
    return hWnd;
}

int IsWndClass(HWND wnd, const char* name)
{
    char cls[40];
    return wnd && name && IsWindow(wnd) && GetClassNameA(wnd, cls, sizeof(cls)) &&
           lstrcmpiA(cls, name) == 0;
}

int IsClassName(HWND wnd, const char* name)
{
    char cls[256];
    return wnd && name && GetClassNameA(wnd, cls, sizeof(cls)) && lstrcmpA(cls, name) == 0;
}

int GetWndTextSize(HWND wnd, const char* text, SIZE* size)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(wnd, WM_GETFONT, 0, 0));
    if (!font || !text || !size)
        return 0;
    ClientDC hdc(wnd);
    DCSelection select(hdc, font);
    return select.IsReady() && GetTextExtentPoint32A(hdc, text, lstrlenA(text), size);
}

int GetWndTextWidth(HWND wnd, const char* text)
{
    SIZE size;
    return GetWndTextSize(wnd, text, &size) ? size.cx : 0;
}

void ProcessAllMessages(HWND wnd)
{
    MSG msg;
    while (PeekMessageA(&msg, wnd, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

BOOL PostMsg(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return PostMessageA(wnd, msg, wParam, lParam);
}

LRESULT SendMsg(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(wnd, msg, wParam, lParam);
}

BOOL PostCommand(HWND wnd, unsigned short id, HWND ctl, unsigned short code)
{
    return PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(ctl));
}

BOOL SimulateButton(HWND dlg, unsigned short id)
{
    return PostCommand(dlg, id, GetDlgItem(dlg, id), 0);
}

void ModifyStyle(HWND wnd, DWORD remove, DWORD add, DWORD removeEx, DWORD addEx)
{
    if (remove || add)
        SetWindowLongA(wnd, GWL_STYLE, (GetWindowLongA(wnd, GWL_STYLE) & ~remove) | add);
    if (removeEx || addEx)
        SetWindowLongA(wnd, GWL_EXSTYLE, (GetWindowLongA(wnd, GWL_EXSTYLE) & ~removeEx) | addEx);
}

BOOL SetWndZOrder(HWND wnd, HWND after, UINT flags)
{
    flags = (flags & ~SWP_NOZORDER) | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
    return SetWindowPos(wnd, after, 0, 0, 0, 0, flags);
}

BOOL SetWndSize(HWND wnd, int width, int height, UINT flags)
{
    flags = (flags & ~SWP_NOSIZE) | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    return SetWindowPos(wnd, nullptr, 0, 0, width, height, flags);
}

BOOL SetWndOrigin(HWND wnd, int x, int y, UINT flags)
{
    flags = (flags & ~SWP_NOMOVE) | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    return SetWindowPos(wnd, nullptr, x, y, 0, 0, flags);
}

BOOL SetWndPos(HWND wnd, int x, int y, int width, int height, UINT flags)
{
    flags = (flags & ~(SWP_NOMOVE | SWP_NOSIZE)) | SWP_NOZORDER | SWP_NOACTIVATE;
    return SetWindowPos(wnd, nullptr, x, y, width, height, flags);
}

BOOL SetWndPos(HWND wnd, const RECT* rect, UINT flags)
{
    return rect && SetWndPos(wnd, rect->left, rect->top, rect->right - rect->left,
                             rect->bottom - rect->top, flags);
}

BOOL SetWndShow(HWND wnd, int show, UINT flags)
{
    flags = (flags & ~(SWP_SHOWWINDOW | SWP_HIDEWINDOW)) | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) |
            SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    return SetWindowPos(wnd, nullptr, 0, 0, 0, 0, flags);
}

BOOL OffsetWnd(HWND wnd, int byX, int byY)
{
    RECT rc;
    return GetRectInParent(wnd, rc) && SetWndOrigin(wnd, rc.left + byX, rc.top + byY, 0);
}

BOOL ResizeWnd(HWND wnd, int byX, int byY)
{
    RECT rc;
    return GetWindowRect(wnd, &rc) &&
           SetWndSize(wnd, rc.right - rc.left + byX, rc.bottom - rc.top + byY, 0);
}

int IsKeyPressed(int key)
{
    return (GetAsyncKeyState(key) & 0x8000) != 0;
}
