// SettingsUndo: what Cancel puts back. A Test button stores the settings and may set a
// wallpaper before the user has decided; Cancel then restores the settings as they were
// when the sheet opened and the desktop wallpaper of that moment.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class SettingsUndo {
public:
    // Takes note of the settings and the desktop wallpaper as they are now.
    SettingsUndo();
    // Removes the copy of our wallpaper kept for Restore.
    ~SettingsUndo();
    SettingsUndo(const SettingsUndo&) = delete;
    SettingsUndo& operator=(const SettingsUndo&) = delete;

    // A Test is about to store the settings, which may change the wallpaper too: our
    // bitmap on the desktop is kept aside first.
    void BeforeTest();
    // Cancel: puts back what the Tests changed; nothing when none ran.
    void Restore();

private:
    struct Value {
        std::string name;
        DWORD type;
        std::vector<BYTE> data;
    };
    static std::vector<Value> ReadValues(const char* path, const char* const* names);
    // Replaces the key's values (only the given names when names is not null).
    static void WriteValues(const char* path, const char* const* names, const std::vector<Value>& values);

    std::vector<Value> settings; // every value of the settings key
    std::vector<Value> desktop;  // the desktop's wallpaper style values
    char szWallpaper[MAX_PATH];  // the desktop wallpaper; "" for none
    char szKept[MAX_PATH];       // copy of our bitmap while a Test replaces it; "" for none
    int bTested;
};
