// Operations of FwWnd that take their text from string resources or from the file and
// folder pickers. The string-resource forms report failure until those services are part
// of the library.
#include "ui/FwWnd.h"
#include <cstring>
#include "base/Browse.h"
#include "base/Path.h"

BOOL FwWnd::SetTextFmt(HINSTANCE, UINT, ...) { return FALSE; }
BOOL FwWnd::SetText(UINT, ...) { return FALSE; }

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
