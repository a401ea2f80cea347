// Helpers of the wallpaper tests: the desktop wallpaper and the real settings put aside and
// back, a settings key of the test's own, the built product's library (beside its Images)
// for its changer entries, local times as text, and changer processes.
#pragma once
#include <windows.h>
#include <memory>
#include <string>

class AppInfo;

extern const char kSettingsKey[]; // the real settings key, below HKCU
extern const char kRunKey[];

// A value below HKCU: a DWORD (def when missing or not one); a string ("" when missing).
DWORD RegDword(const char* name, DWORD def = 0xDEADBEEF, const char* key = kSettingsKey);
void SetRegDword(const char* name, DWORD v, const char* key = kSettingsKey);
std::string RegString(const char* key, const char* name);
// The desktop's values as stored for the user (following changes by any process), and a
// new wallpaper with its style ("" leaves a style value out).
std::string DesktopValue(const char* name = "Wallpaper");
void SetDesktopWallpaper(const std::string& file, const std::string& style = "", const std::string& tile = "");

// The desktop wallpaper and its style, put back at the end.
class DesktopAside {
public:
    DesktopAside();
    ~DesktopAside();

private:
    std::string wallpaper, style, tile;
};

// A settings key of the test's own (HKCU\<sub>) through an identity pushed over the
// library's; removed at the end.
class PrivateSettings {
public:
    PrivateSettings();
    ~PrivateSettings();
    const std::string sub;

private:
    std::unique_ptr<AppInfo> identity;
};

// What a changer process touches of the user's: settings key, autorun value, desktop
// wallpaper and wallpaper file, put aside and back; stray changers are ended.
class RealStateAside {
public:
    RealStateAside();
    ~RealStateAside();
    bool bReady = true;

private:
    DesktopAside desktop;
    std::string runValue, bmpPath;
};

// VNT32.dll of the built product loaded from bin, so the changer it starts finds the
// sample image sets beside it.
class BinLibrary {
public:
    BinLibrary();
    ~BinLibrary() { FreeLibrary(hLib); }
    bool Ready() const { return pfnRunWPChanger && pfnUninstall; }
    void RunWPChanger(HWND owner, int start) { pfnRunWPChanger(owner, start); }
    void Uninstall() { pfnUninstall(nullptr, nullptr, nullptr, SW_SHOWNORMAL); }
    const std::string path;

private:
    HMODULE hLib;
    void (*pfnRunWPChanger)(HWND, int) = nullptr;
    void(CALLBACK* pfnUninstall)(HWND, HINSTANCE, char*, int) = nullptr;
};

bool Exists(const std::string& path);
size_t CountFiles(const std::string& dir);
// Checks that the file is a picture of the desktop's size at the display's depth.
void ExpectDesktopBmp(const std::string& path);
// A local time "YYYY-MM-DD hh:mm:ss.mmm" as a 100-ns count and back ("none" for 0).
ULONGLONG TimeCount(const char* text);
std::string TimeText(ULONGLONG count);

// The changer's window (any process) and its process id; null and 0 when none runs.
HWND FindChanger();
DWORD ChangerPid();
int CountProcesses(const char* exeName);
bool WaitProcessEnd(DWORD pid, DWORD ms);
void EndStrayChangers();
