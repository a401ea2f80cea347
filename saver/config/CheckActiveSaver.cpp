#include "config/CheckActiveSaver.h"
#include "resource.h"
#include "base/AppInfo.h"
#include "base/Launch.h"
#include "base/Mbcs.h"
#include "base/Msg.h"
#include "base/Path.h"
#include "base/RegKey.h"

namespace {

// The setting names this program by its long or its short path.
bool NamesProgram(const char* setting, const char* longPath, const char* shortPath)
{
    return StrCompare(setting, longPath, 1) == 0 || StrCompare(setting, shortPath, 1) == 0;
}

} // namespace

void CheckActiveSaver(HWND owner)
{
    char longPath[MAX_PATH] = "", shortPath[MAX_PATH];
    // A name cut at the buffer's end is still terminated.
    GetModuleFileNameA(AppInfo::Data().hInstance, longPath, sizeof longPath - 1);
    lstrcpynA(shortPath, longPath, sizeof shortPath);
    ConvertToShortPath(shortPath);

    RegKey desktop("HKCU\\Control Panel\\Desktop", 1);
    if (!desktop.IsReady())
        return;
    char setting[MAX_PATH];
    desktop.GetStr("SCRNSAVE.EXE", setting, sizeof setting, "");
    if (NamesProgram(setting, longPath, shortPath))
        return;
    // Older systems keep the setting in the profile file only.
    if (!setting[0]) {
        char ini[MAX_PATH] = "";
        UINT n = GetWindowsDirectoryA(ini, MAX_PATH);
        if (n && n < MAX_PATH - 12) {
            AppendBackSlash(ini);
            lstrcatA(ini, "SYSTEM.INI");
            GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "", setting, sizeof setting, ini);
            if (NamesProgram(setting, longPath, shortPath))
                return;
        }
    }
    if (Msg(owner, MB_YESNO | MB_ICONQUESTION, IDS_NOT_ACTIVE_SAVER) != IDYES)
        return;
    // The path goes unquoted: the display settings take the rest of the line as the path.
    char params[MAX_PATH + 32];
    wsprintfA(params, "desk.cpl,InstallScreenSaver %s", longPath);
    if (!RunFile("RunDll32.exe", params, nullptr, 0))
        Msg(owner, MB_ICONERROR, "Cannot open the screensaver properties window.");
}
