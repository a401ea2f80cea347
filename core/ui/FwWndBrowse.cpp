// Operations of FwWnd that take their text from string resources or from the file and
// folder pickers. The picker operations report failure until the pickers are part of the library.
#include "ui/FwWnd.h"
#include <stdarg.h>
#include "base/ResStr.h"

// The string's text is the format; the window gets the formatted text (1024-byte buffer).
static BOOL SetWndTextFmtV(HWND hWnd, HINSTANCE hInst, UINT idString, va_list args)
{
    ResStr format(static_cast<int>(idString), hInst);
    char sz[1024];
    FormatBuf(sz, sizeof(sz), format, args);
    return SetWindowTextA(hWnd, sz);
}

BOOL FwWnd::SetTextFmt(HINSTANCE hInst, UINT idString, ...)
{
    va_list args;
    va_start(args, idString);
    BOOL ok = SetWndTextFmtV(hWnd, hInst, idString, args);
    va_end(args);
    return ok;
}

BOOL FwWnd::SetText(UINT idString, ...)
{
    va_list args;
    va_start(args, idString);
    BOOL ok = SetWndTextFmtV(hWnd, nullptr, idString, args);
    va_end(args);
    return ok;
}
int FwWnd::OnBrowseForFile(int, const char*, const char*, const char*, const char*, UINT) { return 0; }
int FwWnd::OnBrowseForFolder(const char*, UINT) { return 0; }
