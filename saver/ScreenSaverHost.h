// The screen-saver host: command line, saver window, default saver procedure and message
// loop. The program supplies ScreenSaverProc, ScreenSaverConfigureDialog and
// RegisterDialogClasses; everything else the system expects of a screen saver is here.
#pragma once
#include <windows.h>
#include "resource.h"

extern "C" {
LRESULT WINAPI ScreenSaverProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT WINAPI DefScreenSaverProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI ScreenSaverConfigureDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL WINAPI RegisterDialogClasses(HANDLE hInst);
}

// The module instance the host runs with, and the saver window while it exists.
extern HINSTANCE hMainInstance;
extern HWND hMainWindow;
extern BOOL fChildPreview;

// What the command line asks for.
struct HostCommand {
    enum Mode { modeConfig, modeSaver, modePreview, modePassword, modeInvalid };
    Mode mode;
    HWND hWnd; // the preview's parent, the dialog's owner, or null
};

// Reads the arguments that follow the program path.
HostCommand ParseHostArguments(const char* pszArgs);
// The arguments part of a full command line (the program path skipped, quoted or not).
const char* SkipProgramPath(const char* pszCmdLine);

// Runs the mode the arguments ask for; the result is the process's exit code.
int RunScreenSaverHost(HINSTANCE hInst, const char* pszArgs);
