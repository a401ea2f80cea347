// The product's own folders and files, the running program's folder, special folders,
// and the canonical form of paths in the system, Windows and home folders.
#include "base/Path.h"
#include <cstring>
#include <shlobj.h>
#include "base/AppInfo.h"
#include "base/Mbcs.h"
#include "base/Module.h"
#include "base/PathScan.h"
#include "base/RegUtil.h"
#include "base/Pidl.h"

using namespace PathScan;

namespace {

// The folder of a canonical token ("S" system, "W" Windows, "_" home); false for any
// other token.
bool GetCanonicalFolder(char token, char* folder)
{
    folder[0] = '\0';
    UINT n = 0;
    switch (token) {
    case 'S':
        n = GetSystemDirectoryA(folder, MAX_PATH);
        break;
    case 'W':
        n = GetWindowsDirectoryA(folder, MAX_PATH);
        break;
    case '_':
        GetHomeDir(folder);
        return true;
    default:
        return false;
    }
    if (n == 0 || n >= MAX_PATH)
        folder[0] = '\0';
    return true;
}

} // namespace

void GetModuleFNameExt(HINSTANCE module, char* out)
{
    if (!out)
        return;
    out[0] = '\0';
    char buf[MAX_PATH];
    DWORD n = GetModuleFileNameA(module, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf)
        return;
    const char* name = FindNameExt(buf);
    if (name)
        CopyWhole(out, name, MAX_PATH);
}

void GetLocalFileName(char* out, const char* name, HINSTANCE module)
{
    if (!out)
        return;
    char fileName[MAX_PATH];
    if (!name) {
        GetModuleFNameExt(module, fileName);
        name = fileName;
    }
    char home[MAX_PATH];
    GetHomeDir(home);
    MakePath(out, home, name, nullptr);
}

void GetLocalFileNameQuoted(char* out, const char* name, HINSTANCE module)
{
    if (!out)
        return;
    char path[MAX_PATH];
    GetLocalFileName(path, name, module);
    size_t len = 0;
    out[0] = '\0';
    if (!Append(out, len, MAX_PATH, "\"") || !Append(out, len, MAX_PATH, path) ||
        !Append(out, len, MAX_PATH, "\""))
        out[0] = '\0';
}

void GetLocalPathDir(char* path, char* dir, unsigned size)
{
    char buf[2 * MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, buf, sizeof buf);
    bool ok = n != 0 && n < sizeof buf;
    if (path && size) {
        if (!ok || !CopyWhole(path, buf, size))
            path[0] = '\0';
    }
    if (dir && size) {
        StripFileName(buf);
        RemoveBackSlash(buf);
        if (!ok || !CopyWhole(dir, buf, size))
            dir[0] = '\0';
    }
}

void GetHomeDir(char* out)
{
    if (!out)
        return;
    out[0] = '\0';
    const char* app = AppInfo::Data().pszAppName;
    if (app && GetHomeFolder(app, out) && out[0])
        return;
    DWORD n = GetModuleFileNameA(GetLibraryModule(), out, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) {
        out[0] = '\0';
        return;
    }
    StripFileName(out);
    RemoveBackSlash(out);
    DosPathToShellPath(out);
    // Remembered for the next look-up; this needs write access to the machine-wide key.
    if (app)
        ProcessHomeFolder(RegKey::opWrite, app, out, 0);
}

int GetSpecialFolderPath(HWND owner, int folderId, char* out)
{
    if (!out)
        return 0;
    out[0] = '\0';
    ShellItemList items;
    if (FAILED(SHGetSpecialFolderLocation(owner, folderId, &items.pidl)) || !items.pidl)
        return 0;
    if (!SHGetPathFromIDListA(items.pidl, out)) {
        out[0] = '\0';
        return 0;
    }
    return FolderExists(out);
}

void MakeCanonicalPath(const char* path, char* out)
{
    if (!out)
        return;
    out[0] = '\0';
    if (!path)
        return;
    char folder[MAX_PATH];
    if (!CopyWhole(folder, path, sizeof folder))
        return;
    StripFileName(folder);
    RemoveBackSlash(folder);
    const char* sep = LastSep(path, false);
    const char* last = sep ? sep + 1 : path;
    static const char tokens[] = {'S', 'W', '_'};
    for (char token : tokens) {
        char known[MAX_PATH];
        GetCanonicalFolder(token, known);
        RemoveBackSlash(known);
        if (known[0] && StrCompare(folder, known, 1) == 0) {
            size_t len = 0;
            char prefix[4] = {'%', token, '\\', '\0'};
            if (Append(out, len, MAX_PATH, prefix) && Append(out, len, MAX_PATH, last))
                return;
            out[0] = '\0';
            break;
        }
    }
    CopyWhole(out, path, MAX_PATH);
}

// An unknown token ("%X") is not a canonical path: it is handed back unchanged, result 0.
int GetPathFromCanonical(const char* in, char* out)
{
    if (!out)
        return 0;
    out[0] = '\0';
    if (!in)
        return 0;
    char folder[MAX_PATH];
    if (in[0] != '%' || !in[1] || !GetCanonicalFolder(in[1], folder)) {
        CopyWhole(out, in, MAX_PATH);
        return 0;
    }
    const char* rest = in + 2;
    if (IsSepAt(rest))
        rest++;
    size_t len = 0;
    if (!Append(out, len, MAX_PATH, folder))
        return 0;
    AppendBackSlash(out);
    len = strlen(out);
    if (!Append(out, len, MAX_PATH, rest)) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}
