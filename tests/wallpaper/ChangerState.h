// The user's changer state as the changer and the settings sheet touch it: the running
// changer, the settings key, the autorun value, the desktop wallpaper and the wallpaper file.
#pragma once
#include <windows.h>
#include <string>
#include "ChangerTestUtil.h"
#include "TestUtil.h"

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
