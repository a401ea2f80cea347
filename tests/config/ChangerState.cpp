#include "ChangerState.h"
#include <shlwapi.h>
#include "TestUtil.h"
#include "options/Opts.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kBackupKey[] = "Software\\VantoraTest\\SheetBackup";

bool WaitProcessEnd(DWORD pid, DWORD ms)
{
    HANDLE h = OpenProcess(SYNCHRONIZE, FALSE, pid);
    bool ended = !h || WaitFor([h] { return WaitForSingleObject(h, 0) == WAIT_OBJECT_0; }, ms);
    if (h)
        CloseHandle(h);
    return ended;
}

// Replaces the key to with a copy of from (none when from is missing).
bool MoveKey(const char* from, const char* to)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, to);
    HKEY src = nullptr, dst = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &src) != ERROR_SUCCESS)
        return true;
    bool ok = RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dst, nullptr) ==
                  ERROR_SUCCESS &&
              SHCopyKeyA(src, nullptr, dst, 0) == ERROR_SUCCESS;
    RegCloseKey(src);
    if (dst)
        RegCloseKey(dst);
    return ok && SHDeleteKeyA(HKEY_CURRENT_USER, from) == ERROR_SUCCESS;
}

} // namespace

HWND FindChanger()
{
    return FindWindowA("WPChangerWnd32", nullptr);
}

std::string RunValue()
{
    return RegString(kRunKey, "VTWPChanger");
}

void EndStrayChangers()
{
    for (HWND h; (h = FindChanger()) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        PostMessageA(h, RegisterWindowMessageA("CorvaneMessage"), 1, 6294);
        if (WaitProcessEnd(pid, 10000))
            continue;
        HANDLE proc = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        if (!proc)
            return;
        TerminateProcess(proc, 1);
        WaitForSingleObject(proc, 5000);
        CloseHandle(proc);
    }
}

RealStateAside::RealStateAside() : runValue(RegString(kRunKey, "VTWPChanger"))
{
    EndStrayChangers();
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    bmpPath = path;
    bReady = MoveKey(kSettingsKey, kBackupKey) &&
             (!Exists(bmpPath) || MoveFileExA(path, (bmpPath + ".testbackup").c_str(), MOVEFILE_REPLACE_EXISTING));
}

RealStateAside::~RealStateAside()
{
    EndStrayChangers();
    MoveKey(kBackupKey, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
    SetRegString(kRunKey, "VTWPChanger", runValue);
    DeleteFileA(bmpPath.c_str());
    MoveFileA((bmpPath + ".testbackup").c_str(), bmpPath.c_str());
    // The library remembers its folder as the home folder; every start drops it anyway.
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\Corvane\\Vantora\\Setup", "Home");
}

BinLibrary::BinLibrary() : hLib(LoadLibraryA((BinDir() + "\\VNT32.dll").c_str()))
{
    pfnRunWPChanger = reinterpret_cast<void (*)(HWND, int)>(GetProcAddress(hLib, "_Z12RunWPChangerP6HWND__i"));
}

BinLibrary::~BinLibrary()
{
    if (hLib)
        FreeLibrary(hLib);
}
