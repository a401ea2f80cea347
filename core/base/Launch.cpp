#include "base/Launch.h"
#include <stdio.h>
#include "base/FwHandle.h"
#include "base/FwWaitCursor.h"
#include "base/Module.h"
#include "base/Path.h"
#include "base/RegKey.h"

// The window the user is looking at, or null.
static HWND GetOwnerWnd()
{
    HWND active = GetActiveWindow();
    return active ? GetLastActivePopup(active) : nullptr;
}

// Shell-executes with the given mask; closes a process handle the shell returned unless
// the caller takes it through process.
static int ShellExec(HWND owner, const char* file, const char* params, const char* verb,
                     const char* dir, unsigned long mask, int show, HANDLE* process)
{
    SHELLEXECUTEINFOA sei = {};
    sei.cbSize = sizeof(sei);
    sei.fMask = mask;
    sei.hwnd = owner;
    sei.lpVerb = verb;
    sei.lpFile = file;
    sei.lpParameters = params;
    sei.lpDirectory = dir;
    sei.nShow = show;
    int ok = ShellExecuteExA(&sei) ? 1 : 0;
    FwHandle held(sei.hProcess);
    if (process)
        *process = ok ? held.Detach() : nullptr;
    return ok;
}

int RunFile(const char* file, const char* params, const char* verb, unsigned long mask)
{
    FwWaitCursor wait;
    return ShellExec(GetOwnerWnd(), file, params, verb, nullptr, mask, SW_SHOWNORMAL, nullptr);
}

HANDLE StartProcess(const char* file, const char* params)
{
    HANDLE process = nullptr;
    ShellExec(GetOwnerWnd(), file, params, nullptr, nullptr, SEE_MASK_NOCLOSEPROCESS,
              SW_SHOWNORMAL, &process);
    return process;
}

int RunLocalFile(HWND owner, const char* name, const char* params)
{
    FwWaitCursor wait;
    char path[MAX_PATH];
    GetLocalFileName(path, name, GetLibraryModule());
    return ShellExec(owner ? owner : GetDesktopWindow(), path, params, nullptr, nullptr, 0,
                     SW_SHOWNORMAL, nullptr);
}

int RunMyself(const char* params)
{
    char path[MAX_PATH], dir[MAX_PATH];
    GetLocalPathDir(path, dir, sizeof(path));
    HINSTANCE r = ShellExecuteA(GetDesktopWindow(), "open", path, params, dir, SW_SHOW);
    return reinterpret_cast<INT_PTR>(r) > 32;
}

int RunPidl(HWND owner, ITEMIDLIST* item)
{
    SHELLEXECUTEINFOA sei = {};
    sei.cbSize = sizeof(sei);
    sei.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS;
    sei.hwnd = owner;
    sei.lpIDList = item;
    sei.nShow = SW_SHOW;
    int ok = ShellExecuteExA(&sei) ? 1 : 0;
    FwHandle process(sei.hProcess);
    return ok;
}

int RunProcess(const char* app, char* cmdLine, PROCESS_INFORMATION* info, unsigned short show)
{
    PROCESS_INFORMATION local = {};
    if (!info)
        info = &local;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = show;
    int ok = CreateProcessA(app, cmdLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, info)
                 ? 1 : 0;
    if (!ok)
        *info = PROCESS_INFORMATION();
    // Handles nobody asked for are closed here.
    FwHandle thread(local.hThread), process(local.hProcess);
    return ok;
}

int RunProcess(const char* app, char* cmdLine, HANDLE* process, unsigned short show)
{
    PROCESS_INFORMATION info = {};
    int ok = RunProcess(app, cmdLine, &info, show);
    FwHandle held(info.hProcess), thread(info.hThread);
    if (process)
        *process = held.Detach();
    return ok;
}

// "<library in short form>,<args>" into cmd (520 bytes); 0 when it does not fit.
static int MakeDllCommand(char* cmd, unsigned size, const char* args)
{
    char lib[MAX_PATH];
    DWORD n = GetModuleFileNameA(GetLibraryModule(), lib, sizeof(lib));
    if (n == 0 || n >= sizeof(lib))
        return 0;
    ConvertToShortPath(lib);
    int len = snprintf(cmd, size, "%s,%s", lib, args ? args : "");
    return len > 0 && static_cast<unsigned>(len) < size;
}

int RunDll32(const char* args)
{
    char cmd[520];
    if (!MakeDllCommand(cmd, sizeof(cmd), args))
        return 0;
    return RunFile("RunDll32.exe", cmd, nullptr, 0);
}

int AutoRunDll32(const char* valueName, int enable, int currentUser, const char* args)
{
    char keyPath[RegKey::cbKeyName];
    if (!RegKey::FormatPath(keyPath, sizeof(keyPath), "%s\\Run",
                            currentUser ? RegKey::sz_HKCU_WinCurVer : RegKey::sz_HKLM_WinCurVer))
        return 0;
    RegKey key(keyPath, 1);
    if (!key.IsReady())
        return 0;
    char value[600] = "";
    if (enable) {
        char cmd[520];
        if (!MakeDllCommand(cmd, sizeof(cmd), args))
            return 0;
        snprintf(value, sizeof(value), "%s %s", "RunDll32.exe", cmd);
    }
    return key.ProcessEntry(enable ? RegKey::opWrite : RegKey::opRemove, valueName, value, 0);
}

int EnableSysKeys(int enable)
{
    BOOL old = FALSE;
    return SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, enable ? 0 : 1, &old, 0) ? 1 : 0;
}
