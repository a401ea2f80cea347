#include "config/TextFit.h"
#include "base/WinUtil.h"

namespace {

const int kMargin = 4; // pixels kept free at the page's right edge

bool IsEtchedFrame(HWND item)
{
    return IsWndClass(item, "Static") && (GetWindowLongA(item, GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDFRAME;
}

// The width the control needs for its text on one line; 0 when it needs no fitting.
int NeededWidth(HWND item, int height)
{
    char text[256];
    SIZE size;
    if (GetWindowTextA(item, text, sizeof text) <= 0 || !GetWndTextSize(item, text, &size))
        return 0;
    // Texts given two lines or more wrap by design.
    if (height >= 2 * size.cy)
        return 0;
    LONG style = GetWindowLongA(item, GWL_STYLE);
    if (IsWndClass(item, "Static"))
        return (style & SS_TYPEMASK) <= SS_RIGHT ? size.cx : 0;
    if (!IsWndClass(item, "Button"))
        return 0;
    switch (style & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return size.cx + GetSystemMetrics(SM_CXMENUCHECK) + 2 * GetSystemMetrics(SM_CXEDGE) + 2;
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return size.cx + 4 * GetSystemMetrics(SM_CXEDGE);
    }
    return 0;
}

BOOL CALLBACK WidenFrame(HWND item, LPARAM lParam)
{
    const RECT* text = reinterpret_cast<const RECT*>(lParam);
    RECT r;
    if (IsEtchedFrame(item) && GetRectInParent(item, r) && r.left <= text[0].left && r.top <= text[0].top &&
        r.right >= text[0].right && r.bottom >= text[0].bottom)
        ResizeWnd(item, text[1].right - text[0].right, 0);
    return TRUE;
}

BOOL CALLBACK FitItem(HWND item, LPARAM lParam)
{
    HWND page = reinterpret_cast<HWND>(lParam);
    RECT r, client;
    // Only the page's own controls: the parts inside a control follow the control.
    if (GetParent(item) != page || !GetRectInParent(item, r))
        return TRUE;
    GetClientRect(page, &client);
    int width = NeededWidth(item, r.bottom - r.top);
    if (width > client.right - kMargin - r.left)
        width = client.right - kMargin - r.left;
    if (width <= r.right - r.left)
        return TRUE;
    RECT grown[2] = {r, r};
    grown[1].right = r.left + width;
    ResizeWnd(item, width - (r.right - r.left), 0);
    EnumChildWindows(page, WidenFrame, reinterpret_cast<LPARAM>(grown));
    return TRUE;
}

} // namespace

void FitTextControls(HWND page)
{
    EnumChildWindows(page, FitItem, reinterpret_cast<LPARAM>(page));
}
