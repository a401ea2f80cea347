// Message boxes block their caller; a watcher thread finds the box shown by a given
// thread, records what it looks like and presses one of its buttons.
#pragma once
#include <windows.h>
#include <cstring>
#include <string>

struct MsgBoxSeen {
    bool found = false;
    HWND hOwner = nullptr;
    std::string title;
    std::string text;       // the longest static text of the box
    bool foreground = false;
};

class MsgBoxWatcher {
public:
    // Watches for a box of thread tid and presses button (IDOK, IDCANCEL, ...).
    MsgBoxWatcher(DWORD tid, int button) : tid(tid), button(button)
    {
        hThread = CreateThread(nullptr, 0, Proc, this, 0, nullptr);
    }
    ~MsgBoxWatcher() { Join(); }
    MsgBoxWatcher(const MsgBoxWatcher&) = delete;
    MsgBoxWatcher& operator=(const MsgBoxWatcher&) = delete;

    // Waits for the watcher to finish; what it saw.
    const MsgBoxSeen& Join()
    {
        if (hThread) {
            WaitForSingleObject(hThread, 30000);
            CloseHandle(hThread);
            hThread = nullptr;
        }
        return seen;
    }

private:
    DWORD tid;
    int button;
    HANDLE hThread = nullptr;
    MsgBoxSeen seen;

    static BOOL CALLBACK FindBox(HWND h, LPARAM lp)
    {
        char cls[64];
        if (GetClassNameA(h, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(h)) {
            *reinterpret_cast<HWND*>(lp) = h;
            return FALSE;
        }
        return TRUE;
    }
    static BOOL CALLBACK FindText(HWND h, LPARAM lp)
    {
        char cls[64], text[1100];
        std::string& best = *reinterpret_cast<std::string*>(lp);
        if (GetClassNameA(h, cls, sizeof cls) && lstrcmpiA(cls, "Static") == 0 &&
            GetWindowTextA(h, text, sizeof text) > static_cast<int>(best.size()))
            best = text;
        return TRUE;
    }
    static DWORD WINAPI Proc(void* p)
    {
        MsgBoxWatcher* w = static_cast<MsgBoxWatcher*>(p);
        HWND box = nullptr;
        for (int i = 0; i < 1500 && !box; i++) {
            EnumThreadWindows(w->tid, FindBox, reinterpret_cast<LPARAM>(&box));
            if (!box)
                Sleep(10);
        }
        if (!box)
            return 0;
        Sleep(100); // let the box finish its activation
        MsgBoxSeen& s = w->seen;
        s.found = true;
        s.hOwner = GetWindow(box, GW_OWNER);
        char title[256] = "";
        GetWindowTextA(box, title, sizeof title);
        s.title = title;
        EnumChildWindows(box, FindText, reinterpret_cast<LPARAM>(&s.text));
        s.foreground = GetForegroundWindow() == box;
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(w->button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, w->button)));
        return 0;
    }
};

// Runs show() on this thread while a watcher presses button on the box it shows.
template <class F>
MsgBoxSeen WatchBox(int button, F show)
{
    MsgBoxWatcher w(GetCurrentThreadId(), button);
    show();
    return w.Join();
}
