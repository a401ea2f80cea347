// One run of the real settings sheet: Vantora.scr copied with the image sets A, B and C
// into a folder whose path holds a space, started while the user's settings, changer,
// wallpaper and active screen saver are set aside, and driven by messages.
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

    bool Start(const std::string& args = "/c");
    HWND Page(int index);
    HWND Item(int id) const { return GetDlgItem(hPage, id); }
    std::string Text(HWND hWnd) const;
    LRESULT Send(int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return SendMessageA(Item(id), msg, wParam, lParam);
    }
    void SetText(int id, const char* text) const
    {
        Send(id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    // Clicks the up (or down) arrow of the Move control.
    void ClickMove(bool up) const;
    // Waits for a message box over the sheet, presses button on it; its text.
    std::string AnswerBox(int button);
    // Presses PSBTN_OK or PSBTN_CANCEL and waits until the sheet is gone.
    bool Press(int button);
    DWORD ExitCode(); // -1 on time-out
    // -2 when the sheet stays.
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

// The user's active screen saver ("": none).
inline void SetActiveSaver(const std::string& path)
{
    SetRegString("Control Panel\\Desktop", "SCRNSAVE.EXE", path);
}
