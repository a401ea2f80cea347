// Operations of FwWnd that take their text from string resources or from the file and
// folder pickers.
#include "ui/FwWnd.h"
#include <stdarg.h>
#include <cstring>
#include "base/Browse.h"
#include "base/Path.h"
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

// The window's text, made a full path against base, as the picker's starting point; a
// text too long for a path starts the picker empty.
static void GetStartPath(FwWnd& wnd, char* path, const char* base)
{
    char text[2 * MAX_PATH] = "";
    wnd.GetText(text, sizeof text);
    MakeFullPathName(text, base);
    if (strlen(text) >= MAX_PATH)
        text[0] = '\0';
    lstrcpynA(path, text, MAX_PATH);
}

int FwWnd::OnBrowseForFile(int bSave, const char* pszTitle, const char* pszFilter,
                           const char* pszDefExt, const char* pszInitialDir, UINT flags)
{
    char path[MAX_PATH];
    GetStartPath(*this, path, pszInitialDir);
    if (!BrowseForFile(hWnd, bSave, path, pszTitle, pszInitialDir, pszFilter, pszDefExt, flags))
        return 0;
    SetText(path);
    return 1;
}

int FwWnd::OnBrowseForFolder(const char* pszTitle, UINT flags)
{
    char path[MAX_PATH];
    GetStartPath(*this, path, nullptr);
    if (!BrowseForFolder(hWnd, path, pszTitle, flags))
        return 0;
    SetText(path);
    return 1;
}
