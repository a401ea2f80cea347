// The wallpaper changer process: its entries for the system's DLL runner, its start and
// stop, and its autorun value under the user's Run key.
#pragma once
#include <windows.h>
#include "VntApi.h"

// The autorun value under "HKCU\Software\Microsoft\Windows\CurrentVersion\Run".
#define WPCHANGER_AUTORUN_VALUE "VTWPChanger"

extern "C" {
// Entries the DLL runner calls ("RunDll32.exe VNT32.dll,ManageWP"); exported by their
// plain names too.
VNT_API void CALLBACK ManageWP(HWND hwnd, HINSTANCE inst, char* cmdLine, int show);
// Stops a running changer and waits for it to end, puts the user's own wallpaper back
// when ours is shown, and deletes the wallpaper file.
VNT_API void CALLBACK Uninstall(HWND hwnd, HINSTANCE inst, char* cmdLine, int show);
}

// The changer process's body: the hidden window and its message loop until it is told to
// quit. Only hwnd is used, as the owner of the window.
VNT_API void DoManageWP(HWND hwnd, HINSTANCE inst, char* cmdLine, int show);
// Starts (start non-zero) the changer unless one runs, or tells a running one to quit;
// writes or removes the autorun value accordingly. A changer that this process told to
// quit and that is still on its way out is waited for (up to 10 s) before a start.
VNT_API void RunWPChanger(HWND owner, int start);
