#include "SheetRun.h"
#include <shlwapi.h>
#include <fstream>
#include <sstream>
#include "base/WinUtil.h"

namespace {

// A visible dialog of the process other than the sheet: a message box over it.
struct BoxSearch {
    DWORD pid;
    HWND sheet, box;
};

BOOL CALLBACK FindBox(HWND h, LPARAM lp)
{
    BoxSearch& s = *reinterpret_cast<BoxSearch*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == s.pid && h != s.sheet && IsWindowVisible(h) && IsWndClass(h, "#32770"))
        s.box = h;
    return !s.box;
}

} // namespace

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void SetActiveSaver(const std::string& path)
{
    if (path.empty())
        SHDeleteValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "SCRNSAVE.EXE");
    else
        RawSetStr("Control Panel\\Desktop", "SCRNSAVE.EXE", path.c_str());
}

SheetRun::SheetRun(bool withRecorder)
{
    CopyProduct(dir.Path());
    CreateDirectoryA((dir / "Images").c_str(), nullptr);
    std::string picture = BinDir() + "\\Images\\Flowers\\01_Fresh_Flower.jpg";
    for (const char* set : {"A", "B", "C"}) {
        CreateDirectoryA((dir / "Images\\" + set).c_str(), nullptr);
        CopyFileA(picture.c_str(), (dir / "Images\\" + set + "\\01_Picture.jpg").c_str(), FALSE);
    }
    if (withRecorder)
        CopyFileA((TestDir() + "\\desk.cpl").c_str(), (dir / "desk.cpl").c_str(), FALSE);
    // No question about the active screen saver unless a test asks for one.
    SetActiveSaver(ProgramPath());
}

SheetRun::~SheetRun()
{
    if (proc.IsRunning() && hSheet)
        Press(PSBTN_CANCEL);
    proc.Wait(20000);
    // A changer started from the copy holds its library until it ends.
    EndStrayChangers();
    SetActiveSaver(activeSaver);
}

bool SheetRun::Start(const std::string& args)
{
    return StartSaver(proc, args, dir.Path()) &&
           WaitFor([this] { return (hSheet = FindProcessWindow(proc.Id(), "#32770", "Vantora, Calder")) != nullptr; }) &&
           WaitFor([this] { return (hPage = PropSheet_GetCurrentPageHwnd(hSheet)) != nullptr; });
}

HWND SheetRun::Page(int index)
{
    SendMessageA(hSheet, PSM_SETCURSEL, index, 0);
    return hPage = PropSheet_GetCurrentPageHwnd(hSheet);
}

std::string SheetRun::Text(HWND hWnd) const
{
    char buf[1024] = "";
    SendMessageA(hWnd, WM_GETTEXT, sizeof buf, reinterpret_cast<LPARAM>(buf));
    return buf;
}

void SheetRun::ClickMove(bool up) const
{
    RECT r;
    GetClientRect(Item(1008), &r);
    LPARAM at = MAKELPARAM(r.right / 2, up ? r.bottom / 4 : r.bottom * 3 / 4);
    Send(1008, WM_LBUTTONDOWN, MK_LBUTTON, at);
    Send(1008, WM_LBUTTONUP, 0, at);
}

std::string SheetRun::AnswerBox(int button)
{
    BoxSearch search = {proc.Id(), hSheet, nullptr};
    if (!WaitFor([&] { return EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search)), search.box != nullptr; }))
        return "";
    std::string text = Text(GetDlgItem(search.box, 0xFFFF)); // the box's message
    PostMessageA(search.box, WM_COMMAND, button, 0);
    return text;
}

bool SheetRun::Press(int button)
{
    PostMessageA(hSheet, PSM_PRESSBUTTON, button, 0);
    return WaitFor([this] { return !IsWindow(hSheet); });
}

DWORD SheetRun::ExitCode()
{
    return proc.Wait(30000) ? proc.ExitCode() : static_cast<DWORD>(-1);
}
