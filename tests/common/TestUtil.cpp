#include "TestUtil.h"
#include <vector>

std::string BinDir() { return TEST_BIN_DIR; }
std::string TestDir() { return TEST_DIR; }

UINT RunCodePage()
{
    char locale[64] = "";
    GetEnvironmentVariableA("LC_ALL", locale, sizeof locale);
    return lstrcmpiA(locale, "ja_JP.UTF-8") == 0 ? 932 : 1252;
}

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start >= timeoutMs)
            return cond();
        PumpMessages(20);
    }
    return true;
}

ChildProcess::~ChildProcess()
{
    if (pi.hProcess) {
        if (IsRunning()) {
            TerminateProcess(pi.hProcess, 99);
            WaitForSingleObject(pi.hProcess, 5000);
        }
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& currentDir)
{
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    std::vector<char> cmd(commandLine.begin(), commandLine.end());
    cmd.push_back('\0');
    return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDir.empty() ? nullptr : currentDir.c_str(), &si, &pi) != 0;
}

bool ChildProcess::Wait(DWORD timeoutMs)
{
    return WaitFor([this] { return !IsRunning(); }, timeoutMs);
}

bool ChildProcess::IsRunning() const
{
    return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ChildProcess::ExitCode() const
{
    DWORD code = 0xDEADBEEF;
    if (pi.hProcess)
        GetExitCodeProcess(pi.hProcess, &code);
    return code;
}

bool StartSaver(ChildProcess& proc, const std::string& args, const std::string& dir)
{
    std::string folder = dir.empty() ? BinDir() : dir;
    return proc.Start("\"" + folder + "\\Vantora.scr\" " + args, folder);
}

namespace {
struct FindData {
    DWORD pid;
    const char* cls;
    const char* title;
    HWND found;
};

BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam)
{
    FindData* fd = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != fd->pid)
        return TRUE;
    char cls[256] = "", title[256] = "";
    GetClassNameA(hWnd, cls, sizeof(cls));
    GetWindowTextA(hWnd, title, sizeof(title));
    if (lstrcmpiA(cls, fd->cls) == 0 && (!fd->title || lstrcmpA(title, fd->title) == 0)) {
        fd->found = hWnd;
        return FALSE;
    }
    return TRUE;
}
} // namespace

HWND FindProcessWindow(DWORD pid, const char* cls, const char* title)
{
    FindData fd = {pid, cls, title, nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&fd));
    return fd.found;
}

ScratchDir::ScratchDir(const char* prefix)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    static LONG counter = 0;
    char name[MAX_PATH];
    for (;;) {
        wsprintfA(name, "%s%s%lu_%ld", temp, prefix, GetCurrentProcessId(), InterlockedIncrement(&counter));
        if (CreateDirectoryA(name, nullptr))
            break;
    }
    path = name;
}

ScratchDir::~ScratchDir() { RemoveTree(path); }

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = path + "\\" + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

bool WriteFileBytes(const std::string& path, const void* data, size_t size)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr);
    CloseHandle(h);
    return ok && written == size;
}

bool CopyProduct(const std::string& dir)
{
    return CopyFileA((BinDir() + "\\Vantora.scr").c_str(), (dir + "\\Vantora.scr").c_str(), FALSE) &&
           CopyFileA((BinDir() + "\\VNT32.dll").c_str(), (dir + "\\VNT32.dll").c_str(), FALSE);
}
