// Helpers of the installer tests: running the built setup and the installed uninstaller
// silently, and looking at what they leave in the registry, the Start menu and on screen.
#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "../base/RegTestUtil.h"
#include "TestUtil.h"

extern const char kUninstallKey[]; // the programs-list entry, under HKLM
extern const char kSettingsKey[];  // the user's settings, under HKCU
extern const char kRunKey[];       // the user's autorun values, under HKCU
extern const char kDesktopKey[];   // the user's desktop and screen-saver settings, under HKCU

// A folder with a space in its name, inside a fresh scratch folder. A copy still installed
// there at the end is uninstalled, so that the next test's setup does not update it.
struct InstallDir {
    ScratchDir scratch{"inst"};
    std::string path;
    explicit InstallDir(const char* name = "Photo Saver") : path(scratch / name) {}
    ~InstallDir();
    std::string operator/(const std::string& name) const { return path + "\\" + name; }
};

std::wstring Wide(const std::string& text);
// Runs VantoraSetup.exe /S /D=dir and waits for it; its exit code, or -1.
int RunSetup(const std::wstring& dir);
inline int RunSetup(const std::string& dir) { return RunSetup(Wide(dir)); }
// Runs dir\Uninstall.exe /S and waits until the copy it hands over to has finished;
// false on time-out.
bool RunUninstaller(const std::string& dir);

inline std::string Entry(const char* name)
{ return RawStr(kUninstallKey, name, HKEY_LOCAL_MACHINE); }
inline DWORD RegDword(HKEY root, const char* key, const char* name)
{
    RawValue v = RawGet(key, name, root);
    return v.type == REG_DWORD ? *reinterpret_cast<const DWORD*>(v.bytes.data()) : 0;
}

inline bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
// Whether the file waits for the next restart to be renamed or deleted.
bool PendingRename(const std::string& path);
// The files setup installs, relative to its folder: the product and every sample picture
// of the build.
std::vector<std::string> ProductFiles();
std::string CommonPrograms();
// "target|arguments" of a shortcut; "" when it cannot be read.
std::string Shortcut(const std::string& lnk);

std::string WallpaperBmp(); // the changer's bitmap
// What the uninstaller must have removed from dir, whatever else the test did.
void ExpectNothingLeft(const std::string& dir);
std::vector<HWND> ChangerWindows(); // of any process
