// StopSaver: ends every process that runs Vantora.scr from one folder (full-screen saver,
// preview, settings), so that setup can replace the program and the uninstaller remove it.
// Setup and the uninstaller run it from their plug-in folder: StopSaver.exe "FOLDER".
// Saver windows are asked to close, which is how the host ends them; a process that is
// still there after the wait, or has no saver window (the settings), is terminated: what it
// would store on the way out is stale or about to be removed.
// Exit code: the number of those processes still running at the end (0 when none).
#include <windows.h>
#include <tlhelp32.h>
#include <list>
#include <string>
#include "base/FwHandle.h"

namespace {

const char kSaverClass[] = "WindowsScreenSaverClass";
// A saver window takes about 2 s to go under Wine; a loaded machine takes longer.
const DWORD kCloseMs = 15000;
const DWORD kTerminateMs = 5000;

struct Running {
    DWORD pid;
    FwHandle process;
    bool asked = false; // a saver window of it was asked to close
    explicit Running(DWORD id) : pid(id), process(OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id)) {}
};
typedef std::list<Running> RunningList;

// The full, long form of a path, so that short and long spellings compare equal.
std::string LongPath(const std::string& path)
{
    char full[MAX_PATH], longer[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    if (!n || n >= MAX_PATH)
        return path;
    n = GetLongPathNameA(full, longer, MAX_PATH);
    return n && n < MAX_PATH ? longer : full;
}

bool HasModule(DWORD pid, const std::string& program)
{
    FwHandle modules(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid));
    MODULEENTRY32 me = {sizeof(me)};
    for (BOOL ok = modules.IsReady() && Module32First(modules, &me); ok; ok = Module32Next(modules, &me)) {
        me.szExePath[MAX_PATH - 1] = 0;
        if (lstrcmpiA(LongPath(me.szExePath).c_str(), program.c_str()) == 0)
            return true;
    }
    return false;
}

void FindRunning(const std::string& program, RunningList& found)
{
    FwHandle processes(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32 pe = {sizeof(pe)};
    for (BOOL ok = processes.IsReady() && Process32First(processes, &pe); ok; ok = Process32Next(processes, &pe))
        if (pe.th32ProcessID != GetCurrentProcessId() && pe.th32ProcessID != 0 && HasModule(pe.th32ProcessID, program))
            found.emplace_back(pe.th32ProcessID);
}

BOOL CALLBACK CloseIfSaver(HWND hwnd, LPARAM lParam)
{
    char cls[64] = "";
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (!GetClassNameA(hwnd, cls, sizeof(cls)) || lstrcmpA(cls, kSaverClass) != 0)
        return TRUE;
    for (Running& r : *reinterpret_cast<RunningList*>(lParam))
        if (r.pid == pid && PostMessageA(hwnd, WM_CLOSE, 0, 0))
            r.asked = true;
    return TRUE;
}

// Full-screen savers are top-level windows; a preview is a child of another program's window.
BOOL CALLBACK CloseSaversIn(HWND hwnd, LPARAM lParam)
{
    CloseIfSaver(hwnd, lParam);
    EnumChildWindows(hwnd, CloseIfSaver, lParam);
    return TRUE;
}

bool HasEnded(const Running& r, DWORD ms)
{
    return !r.process.IsReady() || WaitForSingleObject(r.process, ms) != WAIT_TIMEOUT;
}

// The folder named on the command line, without its quotes.
std::string FolderArgument()
{
    const char* p = GetCommandLineA();
    bool quoted = false;
    for (; *p && (quoted || (*p != ' ' && *p != '\t')); p++)
        if (*p == '"')
            quoted = !quoted;
    while (*p == ' ' || *p == '\t')
        p++;
    std::string folder = p;
    folder.erase(folder.find_last_not_of(" \t") + 1);
    if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
        folder = folder.substr(1, folder.size() - 2);
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    return folder;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    std::string folder = FolderArgument();
    if (folder.empty() || folder.size() > MAX_PATH)
        return 0;
    RunningList running;
    FindRunning(LongPath(folder + "\\Vantora.scr"), running);
    EnumWindows(CloseSaversIn, reinterpret_cast<LPARAM>(&running));
    DWORD start = GetTickCount();
    for (Running& r : running) {
        DWORD spent = GetTickCount() - start;
        if (!r.asked || !HasEnded(r, spent < kCloseMs ? kCloseMs - spent : 0))
            if (r.process.IsReady() && TerminateProcess(r.process, 1))
                HasEnded(r, kTerminateMs);
    }
    int left = 0;
    for (const Running& r : running)
        left += HasEnded(r, 0) ? 0 : 1;
    return left;
}
