// WindowDC: the client-area DC of a window (GetDC), released when the holder ends. For the
// foundation's own measuring; drawing code uses ClientDC. Header only, not exported.
#pragma once
#include <windows.h>

class WindowDC {
public:
    HWND hWnd;
    HDC hDC;

    explicit WindowDC(HWND wnd) : hWnd(wnd), hDC(GetDC(wnd)) {}
    ~WindowDC()
    {
        if (hDC)
            ReleaseDC(hWnd, hDC);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    operator HDC() const { return hDC; }
};
