#include "ChangerState.h"
#include "base/CompanyMsg.h"

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
static const char kBackupKey[] = "Software\\VantoraTest\\ChangerBackup";

// Replaces the key to with a copy of from (none when from is missing).
static bool MoveKey(const char* from, const char* to)
{
    SHDeleteKeyA(HKEY_CURRENT_USER, to);
    RawKey src(from, HKEY_CURRENT_USER, false);
    if (!src.h)
        return true;
    RawKey dst(to, HKEY_CURRENT_USER, true);
    return dst.h && !SHCopyKeyA(src.h, nullptr, dst.h, 0) && !SHDeleteKeyA(HKEY_CURRENT_USER, from);
}

void EndStrayChangers()
{
    for (HWND h; (h = FindChanger()) != nullptr;)
        if (!PostMessageA(h, GetMyCompanyMsg(), 1, 6294) || !WaitFor([h] { return !IsWindow(h); }))
            return;
}

RealStateAside::RealStateAside() : runValue(RunValue()), bmp(BmpPath())
{
    EndStrayChangers();
    bReady = MoveKey(kSettingsKey, kBackupKey) &&
             (!Exists(bmp) || MoveFileExA(bmp.c_str(), (bmp + ".keep").c_str(), MOVEFILE_REPLACE_EXISTING));
}

RealStateAside::~RealStateAside()
{
    EndStrayChangers();
    MoveKey(kBackupKey, kSettingsKey);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
    SetRegString(kRunKey, "VTWPChanger", runValue);
    DeleteFileA(bmp.c_str());
    MoveFileA((bmp + ".keep").c_str(), bmp.c_str());
    // The library loaded from bin remembered that folder as its home.
    SHDeleteValueA(HKEY_LOCAL_MACHINE, "Software\\Corvane\\Vantora\\Setup", "Home");
}
