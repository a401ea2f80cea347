// Making the desktop shell take up changed settings.
#include "base/Launch.h"
#include <shlobj.h>
#include "base/CompanyMsg.h"
#include "base/Module.h"
#include "base/FaultGuard.h"
#include "base/SysInfo.h"

// The hook is installed only for the duration of one UpdateShell call.
static HHOOK s_hShellHook = nullptr;

static void RefreshView(void* pv)
{
    static_cast<IShellView*>(pv)->Refresh();
}

// Runs inside the process of each window that returns from a message. A folder view
// keeps its view object in its first window word; it refreshes when asked by the
// registered message. The shell's own faults must not end its process.
static LRESULT CALLBACK ShellHookProc(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* ret = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && ret && ret->message == GetMyCompanyMsg() &&
        ret->wParam == COMPANYMSG_REFRESH_VIEW) {
        void* view = reinterpret_cast<void*>(GetWindowLongPtrA(ret->hwnd, 0));
        if (view)
            CallGuarded(RefreshView, view);
    }
    return CallNextHookEx(s_hShellHook, code, wParam, lParam);
}

static BOOL CALLBACK RefreshFolderView(HWND hWnd, LPARAM)
{
    char cls[32];
    if (GetClassNameA(hWnd, cls, sizeof(cls)) && lstrcmpA(cls, "SHELLDLL_DefView") == 0) {
        DWORD_PTR result = 0;
        // A hung shell window must not hang the caller.
        SendMessageTimeoutA(hWnd, GetMyCompanyMsg(), COMPANYMSG_REFRESH_VIEW, 0,
                            SMTO_ABORTIFHUNG, 5000, &result);
    }
    return TRUE;
}

namespace {
class ShellHook {
public:
    ShellHook()
    {
        s_hShellHook = SetWindowsHookExA(WH_CALLWNDPROCRET, ShellHookProc, GetLibraryModule(), 0);
    }
    ~ShellHook()
    {
        if (s_hShellHook)
            UnhookWindowsHookEx(s_hShellHook);
        s_hShellHook = nullptr;
    }
    ShellHook(const ShellHook&) = delete;
    ShellHook& operator=(const ShellHook&) = delete;
    int IsReady() const { return s_hShellHook != nullptr; }
};
} // namespace

void UpdateShell()
{
    if (WinNT()) {
        ShellHook hook;
        if (hook.IsReady())
            EnumChildWindows(GetDesktopWindow(), RefreshFolderView, 0);
    }
    SHChangeNotify(SHCNE_ALLEVENTS, SHCNF_DWORD | SHCNF_FLUSH, nullptr, nullptr);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(HWND_BROADCAST, WM_SETTINGCHANGE, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}
