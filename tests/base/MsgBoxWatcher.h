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
    std::string text;
};

inline BOOL CALLBACK FindMsgBox(HWND h, LPARAM lp)
{
    char cls[8];
    if (GetClassNameA(h, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(h)) {
        *reinterpret_cast<HWND*>(lp) = h;
        return FALSE;
    }
    return TRUE;
}

template <class F>
MsgBoxSeen WatchBox(int button, F show)
{
    MsgBoxSeen s;
    DWORD tid = GetCurrentThreadId();
    std::thread watcher([&] {
        HWND box = nullptr;
        for (int i = 0; i < 1500 && !box; i++, Sleep(10))
            EnumThreadWindows(tid, FindMsgBox, reinterpret_cast<LPARAM>(&box));
        if (!box)
            return;
        s.found = true;
        s.hOwner = GetWindow(box, GW_OWNER);
        char text[1100] = "";
        GetWindowTextA(box, text, sizeof text);
        s.title = text;
        s.text = GetDlgItemTextA(box, 0xFFFF, text, sizeof text) ? text : ""; // the message
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
    show();
    watcher.join();
    return s;
}
