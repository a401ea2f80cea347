#include "base/Browse.h"
#include <cstring>
#include <commdlg.h>
#include <shlobj.h>
#include "base/Mbcs.h"
#include "base/SysInfo.h"
#include "base/OleScope.h"
#include "base/Path.h"
#include "base/PathScan.h"
#include "base/ResStr.h"
#include "base/Pidl.h"
#include "res/VntRes.h"

using namespace PathScan;

namespace {

// A string of the library's own table (negative id), or the given text when the table
// lacks it.
const char* LibString(ResStr& str, int id, const char* fallback)
{
    str.Load(id);
    return str.IsEmpty() ? fallback : static_cast<const char*>(str);
}

// Selects the caller's folder when the picker opens.
int CALLBACK BrowseCallback(HWND hWnd, UINT msg, LPARAM, LPARAM data)
{
    const char* path = reinterpret_cast<const char*>(data);
    if (msg == BFFM_INITIALIZED && path && *path)
        SendMessageA(hWnd, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

} // namespace

int BrowseForFolder(HWND owner, char* path, const char* title, unsigned flags)
{
    if (!path)
        return 0;
    if (!memchr(path, 0, MAX_PATH))
        path[0] = '\0';
    ResStr titleStr;
    if (!title)
        title = LibString(titleStr, -IDS_BROWSE_FOLDER_TITLE, "Browse for folder:");
    if (Win2K())
        flags |= BIF_NEWDIALOGSTYLE | BIF_EDITBOX;
    OleScope ole;
    char display[MAX_PATH] = "";
    BROWSEINFOA bi = {};
    bi.hwndOwner = owner;
    bi.pszDisplayName = display;
    bi.lpszTitle = title;
    bi.ulFlags = flags;
    bi.lpfn = BrowseCallback;
    bi.lParam = reinterpret_cast<LPARAM>(path);
    ShellItemList items(SHBrowseForFolderA(&bi));
    if (!items.pidl)
        return 0;
    char chosen[MAX_PATH];
    if (!SHGetPathFromIDListA(items.pidl, chosen))
        return 0; // a folder of the shell's namespace without a path
    DosPathToShellPath(chosen);
    CopyWhole(path, chosen, MAX_PATH);
    return 1;
}

void PrepareBrowseFilter(char* out, const char* filter)
{
    if (!out)
        return;
    ResStr defStr;
    const char* def = LibString(defStr, -IDS_BROWSE_FILTER, "|All Files|*.*|");
    const size_t size = cbBrowseFilter - 1; // room for the second closing zero
    size_t len = 0;
    out[0] = '\0';
    if (filter && *filter) {
        // Whole characters of the caller's filter that fit.
        const char* p = filter;
        while (*p && len + SizeOf(p) < size) {
            for (int i = SizeOf(p); i > 0; --i)
                out[len++] = *p++;
        }
        out[len] = '\0';
        const char* last = LastChar(out);
        if (!last || *last != '|')
            Append(out, len, size, def);
    } else {
        Append(out, len, size, *def == '|' ? def + 1 : def);
    }
    for (size_t i = 0; i < len; i += SizeOf(out + i))
        if (out[i] == '|')
            out[i] = '\0';
    out[len] = '\0';
    out[len + 1] = '\0';
}

int BrowseForFile(HWND owner, int save, char* path, const char* title, const char* initialDir,
                  const char* filter, const char* defExt, unsigned flags)
{
    if (!path)
        return 0;
    if (!memchr(path, 0, MAX_PATH))
        path[0] = '\0';
    char filterBuf[cbBrowseFilter];
    PrepareBrowseFilter(filterBuf, filter);
    ResStr titleStr;
    if (!title)
        title = LibString(titleStr, -IDS_BROWSE_FILE_TITLE, "Browse for file");
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filterBuf;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrInitialDir = initialDir;
    ofn.lpstrTitle = title;
    ofn.lpstrDefExt = defExt;
    ofn.Flags = flags ? flags : (save ? 0x80E : 0x180C);
    int result = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
    if (!result && CommDlgExtendedError() == FNERR_INVALIDFILENAME) {
        // The dialog refuses to open on a name it cannot use: open it without one, and
        // give the caller its text back when nothing is chosen.
        char initial[MAX_PATH];
        CopyWhole(initial, path, sizeof initial);
        path[0] = '\0';
        result = save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
        if (!result)
            CopyWhole(path, initial, MAX_PATH);
    }
    if (result)
        DosPathToShellPath(path);
    return result;
}
