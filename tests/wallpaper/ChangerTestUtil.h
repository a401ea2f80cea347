// Helpers of the wallpaper tests: registry values, local times, and the user's desktop
// wallpaper and changer state put aside and back.
#pragma once
#include <windows.h>
#include <memory>
#include <string>
#include "../base/RegTestUtil.h"
#include "TestUtil.h"
#include "wallpaper/ChangeTime.h"

class AppInfo;

extern const char kSettingsKey[]; // the real settings key, below HKCU

// A DWORD below HKCU, def when missing or not one.
DWORD RegDword(const char* name, DWORD def = 0xDEADBEEF, const char* key = kSettingsKey);
void SetRegString(const char* key, const char* name, const std::string& v); // "": removed
// The desktop's values as stored for the user, and a new wallpaper with its style ("": none).
inline std::string DesktopValue(const char* name = "Wallpaper") { return RawStr("Control Panel\\Desktop", name); }
void SetDesktopWallpaper(const std::string& file, const std::string& style = "", const std::string& tile = "");

// The desktop wallpaper and its style, put back at the end.
struct DesktopAside {
    const std::string wallpaper = DesktopValue(), style = DesktopValue("WallpaperStyle"),
                      tile = DesktopValue("TileWallpaper");
    ~DesktopAside() { SetDesktopWallpaper(wallpaper, style, tile); }
};

// A settings key of the test's own (HKCU\<sub>) through an identity pushed over the library's.
struct PrivateSettings {
    PrivateSettings();
    ~PrivateSettings();
    const std::string sub;
    std::unique_ptr<AppInfo> identity;
};

std::string BmpPath(); // where the wallpaper bitmap goes
inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
// A local time "YYYY-MM-DD hh:mm:ss.mmm" as a calendar time and as a 100-ns count (0 for
// anything else, "none" included).
SYSTEMTIME At(const char* text);
inline ULONGLONG TimeCount(const char* text) { return LocalTimeToCount(At(text)); }

// Checks that the file is a picture of the desktop's size at the display's depth.
void ExpectDesktopBmp(const std::string& path);

extern const char kRunKey[]; // the user's Run key, below HKCU
inline HWND FindChanger() { return FindWindowA("WPChangerWnd32", nullptr); }
// The autorun value "VTWPChanger" ("" when missing).
inline std::string RunValue() { return RawStr(kRunKey, "VTWPChanger"); }
// Ends every running changer by its quit request.
void EndStrayChangers();

// Puts the user's real changer state aside and back; stray changers are ended.
class RealStateAside {
public:
    RealStateAside();
    ~RealStateAside();
    RealStateAside(const RealStateAside&) = delete;
    RealStateAside& operator=(const RealStateAside&) = delete;
    bool Ready() const { return bReady; }

private:
    DesktopAside desktop;
    const std::string runValue, bmp;
    bool bReady = false;
};

// VNT32.dll of the built product loaded from bin, so that the changer it starts finds the
// sample image sets beside it.
struct BinLibrary {
    const std::string path = BinDir() + "\\VNT32.dll";
    const HMODULE hLib = LoadLibraryA(path.c_str());
    void (*const RunWPChanger)(HWND, int) =
        reinterpret_cast<void (*)(HWND, int)>(GetProcAddress(hLib, "_Z12RunWPChangerP6HWND__i"));
    void(CALLBACK* const Uninstall)(HWND, HINSTANCE, char*, int) =
        reinterpret_cast<void(CALLBACK*)(HWND, HINSTANCE, char*, int)>(GetProcAddress(hLib, "Uninstall"));
    BinLibrary() = default;
    ~BinLibrary() { FreeLibrary(hLib); }
    BinLibrary(const BinLibrary&) = delete;
    BinLibrary& operator=(const BinLibrary&) = delete;
    bool Ready() const { return RunWPChanger && Uninstall; }
};
