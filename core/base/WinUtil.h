// Window helpers shared by the toolkit: placement, sizing, class and text tests and
// message shortcuts.
#pragma once
#include <windows.h>
#include "VntApi.h"

VNT_API void SetBitsBool(unsigned& flags, unsigned bits, int on);
VNT_API void SetBitsBool(unsigned short& flags, unsigned short bits, int on);
// Within mask, the bits of values; bits outside mask stay.
VNT_API void SetBitsMask(unsigned& flags, unsigned long mask, unsigned long values);

// Centres wnd on over (the desktop when null) and keeps it on the screen.
VNT_API int CenterWindow(HWND wnd, HWND over);
// Moves wnd back onto the screen when part of it is off.
VNT_API int EnsureWindowVisible(HWND wnd);
VNT_API HWND GetTopParent(HWND hWnd);
// Class name equal to name without regard to case / exactly.
VNT_API int IsWndClass(HWND wnd, const char* name);
VNT_API int IsClassName(HWND wnd, const char* name);
// Extent of text in the window's font; 0 when the window has no font.
VNT_API int GetWndTextSize(HWND wnd, const char* text, SIZE* size);
VNT_API int GetWndTextWidth(HWND wnd, const char* text);
// Dispatches every pending message of wnd (null: of the thread).
VNT_API void ProcessAllMessages(HWND wnd);
VNT_API BOOL PostMsg(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
VNT_API LRESULT SendMsg(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
VNT_API BOOL PostCommand(HWND wnd, unsigned short id, HWND ctl, unsigned short code);
VNT_API BOOL SimulateButton(HWND dlg, unsigned short id);
VNT_API void ModifyStyle(HWND wnd, DWORD remove, DWORD add, DWORD removeEx, DWORD addEx);
// One SetWindowPos each; what is not being changed is kept.
VNT_API BOOL SetWndZOrder(HWND wnd, HWND after, UINT flags);
VNT_API BOOL SetWndSize(HWND wnd, int width, int height, UINT flags);
VNT_API BOOL SetWndOrigin(HWND wnd, int x, int y, UINT flags);
VNT_API BOOL SetWndPos(HWND wnd, int x, int y, int width, int height, UINT flags);
VNT_API BOOL SetWndPos(HWND wnd, const RECT* rect, UINT flags);
VNT_API BOOL SetWndShow(HWND wnd, int show, UINT flags);
// The window's rectangle in its parent's client coordinates (screen coordinates for a
// top-level window); 0 when it has none. Header only, for the program too.
inline int GetRectInParent(HWND wnd, RECT& rc)
{
    if (!GetWindowRect(wnd, &rc))
        return 0;
    HWND parent = (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : nullptr;
    if (parent)
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return 1;
}
// Offsets in the parent's client coordinates.
VNT_API BOOL OffsetWnd(HWND wnd, int byX, int byY);
VNT_API BOOL ResizeWnd(HWND wnd, int byX, int byY);
VNT_API int IsKeyPressed(int key);
