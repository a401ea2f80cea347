// Helpers of the wallpaper tests: registry values, the desktop wallpaper put aside and back,
// a settings key of the test's own, files, and local times as text.
#pragma once
#include <windows.h>
#include <memory>
#include <string>

class AppInfo;

extern const char kSettingsKey[]; // the real settings key, below HKCU

// A value below HKCU: a DWORD (def when missing or not one); a string ("" when missing).
DWORD RegDword(const char* name, DWORD def = 0xDEADBEEF, const char* key = kSettingsKey);
void SetRegDword(const char* name, DWORD v, const char* key = kSettingsKey);
std::string RegString(const char* key, const char* name);
void SetRegString(const char* key, const char* name, const std::string& v); // "": removed
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

bool Exists(const std::string& path);
size_t CountFiles(const std::string& dir);
// Checks that the file is a picture of the desktop's size at the display's depth.
void ExpectDesktopBmp(const std::string& path);
// A local time "YYYY-MM-DD hh:mm:ss.mmm" as a 100-ns count and back ("none" for 0).
ULONGLONG TimeCount(const char* text);
std::string TimeText(ULONGLONG count);
