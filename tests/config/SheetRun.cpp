#include "SheetRun.h"
#include <fstream>
#include <iterator>

std::string FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
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
    // A visible dialog of the process other than the sheet: a message box over it.
    HWND box = nullptr;
    auto findBox = [&] {
        while ((box = FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
            DWORD pid = 0;
            GetWindowThreadProcessId(box, &pid);
            if (pid == proc.Id() && box != hSheet && IsWindowVisible(box))
                return true;
        }
        return false;
    };
    if (!WaitFor(findBox))
        return "";
    std::string text = Text(GetDlgItem(box, 0xFFFF)); // the box's message
    PostMessageA(box, WM_COMMAND, button, 0);
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
