// One run of the real settings sheet: Vantora.scr copied with the image sets A, B and C
// into a folder whose path holds a space, started with /c while the user's settings,
// changer, wallpaper and active screen saver are set aside; the sheet is then driven by
// messages, as a user drives it, and its process's exit code read.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <string>
#include "../wallpaper/ChangerTestUtil.h"
#include "TestUtil.h"

// A file's bytes; "" when it cannot be read.
std::string FileBytes(const std::string& path);

class SheetRun {
public:
    // withRecorder: the DLL runner, started from the copy's folder, finds a stand-in for
    // the display settings there, which records what it is given (RecordedCommands).
    explicit SheetRun(bool withRecorder = false);
    ~SheetRun();
    SheetRun(const SheetRun&) = delete;
    SheetRun& operator=(const SheetRun&) = delete;

    // Starts Vantora.scr with the arguments and waits for its sheet.
    bool Start(const std::string& args = "/c");
    // Selects the page as the tab would; its window.
    HWND Page(int index);
    HWND Item(int id) const { return GetDlgItem(hPage, id); }
    std::string Text(HWND hWnd) const;
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(Item(id), msg, wParam, lParam);
    }
    void SetText(int id, const char* text) const { Send(id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); }
    // Clicks the up (or down) arrow of the Move control.
    void ClickMove(bool up) const;
    // Waits for a message box over the sheet; presses button on it; its text.
    std::string AnswerBox(int button);
    // Presses OK or Cancel (PSBTN_OK, PSBTN_CANCEL) and waits until the sheet is gone.
    bool Press(int button);
    // Waits for the process's end; its exit code, or -1 on time-out.
    DWORD ExitCode();
    // Press, then ExitCode; -2 when the sheet stays.
    DWORD Close(int button) { return Press(button) ? ExitCode() : static_cast<DWORD>(-2); }

    std::string ProgramPath() const { return dir / "Vantora.scr"; }
    std::string RecordedCommands() const { return FileBytes(dir / "InstallScreenSaver.txt"); }

    RealStateAside aside;
    ScratchDir dir{"vnt cfg"};
    ChildProcess proc;
    HWND hSheet = nullptr;
    HWND hPage = nullptr;

private:
    std::string activeSaver = DesktopValue("SCRNSAVE.EXE"); // the user's
};

// Sets the user's active screen saver ("SCRNSAVE.EXE" under HKCU\Control Panel\Desktop;
// deleted for an empty value).
void SetActiveSaver(const std::string& path);
