// Helpers of the changer tests: the real settings, autorun value, desktop wallpaper and
// wallpaper file moved aside and put back; the library of the built product (beside its
// Images folder) loaded for its changer entries; and looks at changer processes.
#pragma once
#include <windows.h>
#include <string>

// Saves what the changer touches in the user's real settings and restores it.
class RealStateAside {
public:
    RealStateAside();
    ~RealStateAside();
    RealStateAside(const RealStateAside&) = delete;
    RealStateAside& operator=(const RealStateAside&) = delete;
    bool Ready() const { return bReady; }

private:
    std::string backupKey;
    bool bSettingsExisted = false;
    bool bReady = false;
    std::string runValue;
    std::string wallpaper;
    std::string bmpPath, bmpBackup;
};

// VNT32.dll of the built product, loaded a second time from bin so that the changer it
// starts finds the sample image sets beside it.
class BinLibrary {
public:
    BinLibrary();
    ~BinLibrary();
    BinLibrary(const BinLibrary&) = delete;
    BinLibrary& operator=(const BinLibrary&) = delete;
    bool Ready() const { return hLib && pfnRunWPChanger && pfnUninstall; }
    void RunWPChanger(HWND owner, int start) { pfnRunWPChanger(owner, start); }
    void Uninstall() { pfnUninstall(nullptr, nullptr, nullptr, SW_SHOWNORMAL); }
    std::string Path() const { return path; }

private:
    HMODULE hLib = nullptr;
    std::string path;
    void (*pfnRunWPChanger)(HWND, int) = nullptr;
    void(CALLBACK* pfnUninstall)(HWND, HINSTANCE, char*, int) = nullptr;
};

extern const char kSettingsKey[];
extern const char kRunKey[];

// A DWORD of the changer's settings, or def when missing or of another type.
DWORD RegDword(const char* name, DWORD def = 0xDEADBEEF);
void SetRegDword(const char* name, DWORD v);
// The changer's autorun value; "" when missing.
std::string RunValue();
bool Exists(const std::string& path);
// The info header of a .BMP file; all 0 when it is none.
BITMAPINFOHEADER BmpHeader(const std::string& path);
// Checks that the file is a picture of the desktop's size at the display's depth.
void ExpectDesktopBmp(const std::string& path);

// The changer's window (any process), or null; the process id of that window, or 0.
HWND FindChanger();
DWORD ChangerPid();
// Number of running processes whose file name is name (case ignored).
int CountProcesses(const char* name);
// The command line the process was started with.
std::string ProcessCommandLine(DWORD pid);
// Waits until the process ends; false on time-out.
bool WaitProcessEnd(DWORD pid, DWORD ms);
// Ends every changer left running by a failed test (processes this test started).
void EndStrayChangers();
// The desktop wallpaper setting as stored for the user ("Wallpaper" under
// "HKCU\Control Panel\Desktop"), which follows changes made by any process.
std::string GetWallpaperSetting();
// The last write time of a file (100-ns count, local time); 0 when missing.
ULONGLONG FileWriteLocal(const std::string& path);
std::string ShortPath(const std::string& path);
