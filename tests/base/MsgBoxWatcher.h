// Message boxes block their caller: WatchBox runs the call while a watcher thread finds
// the box this thread shows, records what it looks like and presses one of its buttons.
#pragma once
#include <windows.h>
#include <string>
#include <thread>

struct MsgBoxSeen {
    bool found = false;
    HWND hOwner = nullptr;
    std::string title;
    std::string text; // the longest static text of the box
    bool foreground = false;
};

inline BOOL CALLBACK FindMsgBox(HWND h, LPARAM lp)
{
    char cls[64];
    if (GetClassNameA(h, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(h)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

inline BOOL CALLBACK FindLongestStatic(HWND h, LPARAM lp)
{
    char cls[64], text[1100];
    std::string& best = *reinterpret_cast<std::string*>(lp);
    if (GetClassNameA(h, cls, sizeof cls) && lstrcmpiA(cls, "Static") == 0 &&
        GetWindowTextA(h, text, sizeof text) > static_cast<int>(best.size()))
        best = text;
    return TRUE;
}

template <class F>
MsgBoxSeen WatchBox(int button, F show)
{
    MsgBoxSeen s;
    DWORD tid = GetCurrentThreadId();
    std::thread watcher([&] {
        HWND box = nullptr;
        for (int i = 0; i < 1500 && !box; i++) {
            EnumThreadWindows(tid, FindMsgBox, reinterpret_cast<LPARAM>(&box));
            Sleep(box ? 0 : 10);
        }
        if (!box)
            return;
        Sleep(100); // let the box finish its activation
        s.found = true;
        s.hOwner = GetWindow(box, GW_OWNER);
        char title[256] = "";
        GetWindowTextA(box, title, sizeof title);
        s.title = title;
        EnumChildWindows(box, FindLongestStatic, reinterpret_cast<LPARAM>(&s.text));
        s.foreground = GetForegroundWindow() == box;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    });
    show();
    watcher.join();
    return s;
}
