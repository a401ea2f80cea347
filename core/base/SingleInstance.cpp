#include "base/SingleInstance.h"
#include <stdio.h>
#include "base/CompanyMsg.h"
#include "base/WinUtil.h"

int SingleInstanceXP::IsFirstInstance(int global, const char* name)
{
    char full[MAX_PATH];
    snprintf(full, sizeof(full), "%s\\Corvane_App_%s", global ? "Global" : "Local", name ? name : "");
    HANDLE h = CreateEventA(nullptr, TRUE, FALSE, full);
    if (!h)
        return 0;
    DWORD err = GetLastError();
    *hEvent.Receive() = h;
    if (err == ERROR_ALREADY_EXISTS) {
        hEvent.Close();
        return 0;
    }
    return 1;
}

namespace {

struct InstanceQuery {
    unsigned long id;
    HWND found;
};

BOOL CALLBACK AskWindow(HWND wnd, LPARAM lParam)
{
    InstanceQuery* q = reinterpret_cast<InstanceQuery*>(lParam);
    DWORD_PTR answer = 0;
    if (SendMessageTimeoutA(wnd, GetMyCompanyMsg(), COMPANYMSG_ACTIVATE, q->id, SMTO_ABORTIFHUNG, 1000,
                            &answer) && answer) {
        q->found = wnd;
        return FALSE;
    }
    return TRUE;
}

// The first top-level window of class and title; with a non-zero id, the first that
// answers for it.
HWND FindPrevWnd(const char* cls, const char* title, unsigned short id)
{
    for (HWND wnd = FindWindowExA(nullptr, nullptr, cls, title); wnd;
         wnd = FindWindowExA(nullptr, wnd, cls, title)) {
        DWORD_PTR answer = 0;
        if (!id || (SendMessageTimeoutA(wnd, GetMyCompanyMsg(), COMPANYMSG_IDENTIFY, id,
                                        SMTO_ABORTIFHUNG, 1000, &answer) && answer))
            return wnd;
    }
    return nullptr;
}

} // namespace

int ActivatePreviousInstance(unsigned long id)
{
    InstanceQuery q = {id, nullptr};
    EnumWindows(AskWindow, reinterpret_cast<LPARAM>(&q));
    return q.found != nullptr;
}

int OnActivatePreviousInstance(unsigned long id, HWND wnd, unsigned msg, unsigned wParam, long lParam)
{
    if (msg != GetMyCompanyMsg() || wParam != COMPANYMSG_ACTIVATE || static_cast<unsigned long>(lParam) != id)
        return 0;
    if (IsIconic(wnd))
        ShowWindow(wnd, SW_RESTORE);
    SetForegroundWindow(wnd);
    return 1;
}

int ActivatePrevWnd(const char* cls, const char* title, unsigned short id)
{
    HWND wnd = FindPrevWnd(cls, title, id);
    if (!wnd)
        return 0;
    if (IsIconic(wnd))
        ShowWindow(wnd, SW_RESTORE);
    SetForegroundWindow(wnd);
    return 1;
}

int ActivatePrevDlg(unsigned short id)
{
    return ActivatePrevWnd(reinterpret_cast<const char*>(WC_DIALOG), nullptr, id);
}

int ClosePrevWnd(const char* cls, const char* title, unsigned short id)
{
    HWND wnd = FindPrevWnd(cls, title, id);
    if (!wnd)
        return 0;
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(wnd, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 1000, &answer);
    return 1;
}
