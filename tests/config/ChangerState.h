// The user's changer state as the settings sheet touches it: the running changer, the
// settings key, the autorun value, the desktop wallpaper and the wallpaper file.
#pragma once
#include <windows.h>
#include <string>
#include "../wallpaper/ChangerTestUtil.h"

HWND FindChanger();
// The autorun value "VTWPChanger" ("" when missing).
std::string RunValue();
// Ends every running changer: by its quit request, or by force when it does not answer.
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
    std::string runValue;
    std::string bmpPath;
    bool bReady = false;
};

// VNT32.dll of the built product loaded from bin, so that the changer it starts finds the
// sample image sets beside it.
class BinLibrary {
public:
    BinLibrary();
    ~BinLibrary();
    BinLibrary(const BinLibrary&) = delete;
    BinLibrary& operator=(const BinLibrary&) = delete;
    bool Ready() const { return pfnRunWPChanger != nullptr; }
    void RunWPChanger(HWND owner, int start) { pfnRunWPChanger(owner, start); }

private:
    HMODULE hLib;
    void (*pfnRunWPChanger)(HWND, int);
};
