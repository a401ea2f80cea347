#include "wallpaper/WPChanger.h"
#include <commctrl.h>
#include <stdio.h>
#include "base/AppInfo.h"
#include "base/CompanyMsg.h"
#include "base/FwHandle.h"
#include "base/Launch.h"
#include "base/Mbcs.h"
#include "base/Module.h"
#include "base/Msg.h"
#include "base/MutexLock.h"
#include "base/Path.h"
#include "base/RegKey.h"
#include "options/Opts.h"
#include "res/VntRes.h"
#include "wallpaper/UserWallpaper.h"
#include "wallpaper/WPChangerWnd.h"
#include "wallpaper/OptsWallpaper.h"

// One changer per session, also when the autorun at logon and a start from the
// configuration meet, or a new changer starts while the old one is still quitting.
// A session-local name ("Local\" is added where sessions exist).
static const char kChangerMutex[] = "Corvane_VTWPChanger";
// How long a new changer waits for an old one to finish quitting.
static const DWORD kHandOverMs = 5000;
// How long a start waits for a changer told to quit, which may be in the middle of a
// change, to end; and how long Uninstall waits before it takes the wallpaper away.
static const DWORD kQuitWaitMs = 10000;

namespace {

// The window class for one run of the changer.
class ChangerClass {
public:
    int bRegistered;
    ChangerClass()
        : bRegistered(FwWnd::RegisterClassExA(WPCHANGER_CLASS, 0, nullptr, nullptr, nullptr,
                                              nullptr, nullptr, 0, 0)) {}
    ~ChangerClass()
    {
        if (bRegistered)
            FwWnd::UnregisterClassA(WPCHANGER_CLASS);
    }
    ChangerClass(const ChangerClass&) = delete;
    ChangerClass& operator=(const ChangerClass&) = delete;
};

// The process's application identity on the library for the changer's lifetime.
class LibraryIdentity {
public:
    LibraryIdentity() { MakeAppInfo(GetLibraryModule()); }
    ~LibraryIdentity() { MakeAppInfo(nullptr); }
    LibraryIdentity(const LibraryIdentity&) = delete;
    LibraryIdentity& operator=(const LibraryIdentity&) = delete;
};

// The changer this process last told to quit: a start that still finds its window
// waits for it to end instead of taking it for a running changer.
DWORD dwQuittingPid = 0;

void QuitChanger(HWND changer)
{
    GetWindowThreadProcessId(changer, &dwQuittingPid);
    PostMessageA(changer, GetMyCompanyMsg(), COMPANYMSG_QUIT, COMPANYMSG_QUIT_KEY);
}

// Waits (bounded) for a changer told to quit to end; where its process cannot be
// watched, a second.
void WaitForQuitted(DWORD pid)
{
    FwHandle process(pid ? OpenProcess(SYNCHRONIZE, FALSE, pid) : nullptr);
    if (process.IsReady())
        WaitForSingleObject(process, kQuitWaitMs);
    else
        Sleep(1000);
}

// The running changer's window, or null; one still quitting on this process's request is
// waited for first.
HWND FindRunningChanger()
{
    HWND changer = FindWindowA(WPCHANGER_CLASS, nullptr);
    DWORD pid = 0;
    if (changer && dwQuittingPid && GetWindowThreadProcessId(changer, &pid) && pid == dwQuittingPid) {
        WaitForQuitted(pid);
        changer = FindWindowA(WPCHANGER_CLASS, nullptr);
    }
    dwQuittingPid = 0;
    return changer;
}

} // namespace

void DoManageWP(HWND hwnd, HINSTANCE, char*, int)
{
    LibraryIdentity identity;
    InitCommonControls();
    // Held while the changer runs. Without a mutex from the system nothing stops this one.
    MyMutex mutex(0, kChangerMutex);
    MutexLock lock(mutex, kHandOverMs);
    if (!lock.IsOwned() && mutex.hMutex.IsReady())
        return; // another changer runs
    WPChangerWnd wnd;
    ChangerClass cls;
    if (!cls.bRegistered)
        return;
    if (!wnd.Create(WPCHANGER_CLASS, WPCHANGER_CLASS, 0, 0, 0, 1, 1, hwnd, nullptr, nullptr))
        return;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void CALLBACK ManageWP(HWND hwnd, HINSTANCE inst, char* cmdLine, int show)
{
    InitMBCS();
    DoManageWP(hwnd, inst, cmdLine, show);
}

void RunWPChanger(HWND owner, int start)
{
    if (!start) {
        if (HWND changer = FindWindowA(WPCHANGER_CLASS, nullptr))
            QuitChanger(changer);
    } else if (!FindRunningChanger()) {
        char cmd[520] = "";
        char lib[520];
        DWORD n = GetModuleFileNameA(GetLibraryModule(), lib, sizeof(lib));
        if (n > 0 && n < MAX_PATH) {
            ConvertToShortPath(lib);
            snprintf(cmd, sizeof(cmd), "%s,ManageWP", lib);
        }
        if (!cmd[0] || !RunFile("RunDll32.exe", cmd, nullptr, 0))
            Msg(owner, MB_ICONERROR, -IDS_WPCHANGER_LOAD_FAILED);
    }
    AutoRunDll32(WPCHANGER_AUTORUN_VALUE, start, 1, "ManageWP");
}

void CALLBACK Uninstall(HWND, HINSTANCE, char*, int)
{
    InitMBCS();
    // The changer must be gone first, so that it cannot set its wallpaper again.
    if (HWND changer = FindWindowA(WPCHANGER_CLASS, nullptr)) {
        QuitChanger(changer);
        WaitForQuitted(dwQuittingPid);
    }
    // Uninstalling creates no settings key: it is opened for writing only where it exists.
    RegKey settings;
    if (RegKey(AppInfo::Data().pszRootKey, 0).IsReady())
        settings.Open(AppInfo::Data().pszRootKey, 1);
    PutBackUserWallpaper(settings);
    Opts::DelBMP();
}
