// Path functions that ask the file system: existence tests, short and long name forms,
// the writable-folder probe, folder creation and the FTP folder test.
#include "base/Path.h"
#include <cstdio>
#include <cstring>
#include <ctime>
#include <shlwapi.h>
#include "base/FwFindFile.h"
#include "base/FwHandle.h"
#include "base/FwLibrary.h"
#include "base/FwWaitCursor.h"
#include "base/Mbcs.h"
#include "base/PathScan.h"

using namespace PathScan;

namespace {

// Bytes of the root of a full path whose separators are "\": "C:\", or "\\server\share\"
// (the whole text for a bare "\\server"); 0 for any other path.
size_t RootLength(const char* path)
{
    if (IsDosFolder(path))
        return 3;
    if (path[0] != '\\' || path[1] != '\\')
        return 0;
    const char* p = NextSep(path + 2);
    if (!*p)
        return strlen(path);
    p = NextSep(p + 1);
    if (*p)
        p++;
    return static_cast<size_t>(p - path);
}

bool HasWildcard(const char* s)
{
    for (const char* p = s; *p; IncPsz(p))
        if (*p == '*' || *p == '?')
            return true;
    return false;
}

bool IsDotName(const char* s)
{
    return s[0] == '.' && (s[1] == '\0' || (s[1] == '.' && s[2] == '\0'));
}

// A name in the 8.3 form: at most 8 characters, optionally a dot and at most 3 more,
// no blanks.
bool Is83Name(const char* s)
{
    int base = 0, ext = -1;
    for (const char* p = s; *p; IncPsz(p)) {
        if (*p == ' ')
            return false;
        if (*p == '.') {
            if (ext >= 0)
                return false;
            ext = 0;
        } else if (ext >= 0) {
            ext += SizeOf(p);
        } else {
            base += SizeOf(p);
        }
    }
    return base >= 1 && base <= 8 && ext <= 3 && ext != 0;
}

enum RebuildPass { passLongNames, passLetterCase };

// Walks the components after the root of a full path from the root outwards and replaces
// each by what the file system reports for the path up to it (see the callers). Once a
// component cannot be found, the rest stays as it is. False, with path unchanged, for a
// path without a root or a result that does not fit.
bool RebuildComponents(char* path, RebuildPass pass)
{
    if (strlen(path) >= MAX_PATH)
        return false;
    size_t rootLen = RootLength(path);
    if (rootLen == 0)
        return false;
    char out[MAX_PATH];
    size_t len = 0;
    out[0] = '\0';
    if (!Append(out, len, sizeof out, path, rootLen))
        return false;
    if (IsDosFolder(out))
        CharToUpper(out);
    const char* p = path + rootLen;
    bool searching = true;
    while (*p) {
        const char* end = NextSep(p);
        size_t n = static_cast<size_t>(end - p);
        char comp[MAX_PATH];
        memcpy(comp, p, n);
        comp[n] = '\0';
        if (searching && n && !IsDotName(comp) && !HasWildcard(comp)) {
            char prefix[MAX_PATH];
            size_t prefixLen = len;
            memcpy(prefix, out, len + 1);
            FwFindFile find;
            if (Append(prefix, prefixLen, sizeof prefix, comp) && find.First(prefix)) {
                const char* found = find.data.cFileName;
                bool hasShortName = find.data.cAlternateFileName[0] != '\0';
                if (pass == passLongNames) {
                    CopyWhole(comp, found, sizeof comp);
                    if (!hasShortName && Is83Name(comp))
                        MakeNamePretty(comp);
                } else if (hasShortName) {
                    if (StrCompare(comp, found, 1) == 0)
                        CopyWhole(comp, found, sizeof comp);
                } else if (Is83Name(comp)) {
                    MakeNamePretty(comp);
                }
            } else {
                searching = false;
            }
        }
        if (!Append(out, len, sizeof out, comp))
            return false;
        if (*end) {
            if (!Append(out, len, sizeof out, "\\"))
                return false;
            p = end + 1;
        } else {
            p = end;
        }
    }
    return CopyWhole(path, out, MAX_PATH);
}

} // namespace

int FileExists(const char* path)
{
    if (!path || !*path)
        return 0;
    DWORD attr = GetFileAttributesA(path);
    return attr != INVALID_FILE_ATTRIBUTES && !(attr & FILE_ATTRIBUTE_DIRECTORY);
}

int FolderExists(const char* path)
{
    if (!path || !*path)
        return 0;
    DWORD attr = GetFileAttributesA(path);
    return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

int FileOrFolderExists(const char* path)
{
    return path && *path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

void ConvertToShortPath(char* path)
{
    if (!path || !*path)
        return;
    if (IsRootFolder(path, 0)) {
        CharToUpper(path);
        return;
    }
    char buf[MAX_PATH];
    DWORD n = GetShortPathNameA(path, buf, sizeof buf);
    if (n != 0 && n < sizeof buf) {
        CopyWhole(path, buf, MAX_PATH);
        return;
    }
    // Shorten the longest prefix that exists and keep the rest as it is.
    ConvertSlashes(path);
    const char* seps[MAX_PATH];
    int count = 0;
    for (const char* p = path; *p && count < MAX_PATH; IncPsz(p))
        if (*p == '\\')
            seps[count++] = p;
    for (int i = count - 1; i >= 0; --i) {
        size_t prefixLen = static_cast<size_t>(seps[i] - path);
        if (prefixLen == 0 || prefixLen >= MAX_PATH)
            continue;
        char prefix[MAX_PATH];
        memcpy(prefix, path, prefixLen);
        prefix[prefixLen] = '\0';
        n = GetShortPathNameA(prefix, buf, sizeof buf);
        if (n == 0 || n >= sizeof buf)
            continue;
        size_t len = n;
        if (Append(buf, len, sizeof buf, seps[i]))
            CopyWhole(path, buf, MAX_PATH);
        return;
    }
}

int ShortToLFN(char* path)
{
    if (!path)
        return 0;
    if (!*path)
        return 1;
    ConvertSlashes(path);
    return RebuildComponents(path, passLongNames) ? 1 : 0;
}

int DosPathToShellPath(char* path)
{
    if (!path)
        return 0;
    if (!*path)
        return 1;
    ConvertSlashes(path);
    if (IsRootFolder(path, 0)) {
        CharToUpper(path);
        return 1;
    }
    if (!ShortToLFN(path))
        return 0;
    if (FileOrFolderExists(path))
        RebuildComponents(path, passLetterCase);
    return 1;
}

int IsDirWritable(const char* path)
{
    if (!FolderExists(path))
        return 0;
    // Seconds since 1995-12-26 00:00 UTC name the probe file. A name already taken is
    // never opened: the probe must not write into or delete someone else's file.
    unsigned long now = static_cast<unsigned long>(time(nullptr)) - 819936000ul;
    for (unsigned long i = 0; i < 16; ++i) {
        char name[16];
        snprintf(name, sizeof name, "%08lu.tmp", (now + i) % 100000000ul);
        char probe[MAX_PATH];
        MakePath(probe, path, name, nullptr);
        if (!probe[0])
            return 0;
        if (FileOrFolderExists(probe))
            continue;
        FwHandle file(CreateFileA(probe, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.IsReady()) {
            if (FileOrFolderExists(probe))
                continue; // taken meanwhile by another process
            return 0;
        }
        const DWORD magic = 0x12345678;
        DWORD cbWritten = 0;
        BOOL bWritten = WriteFile(file, &magic, sizeof magic, &cbWritten, nullptr) && cbWritten == sizeof magic;
        file.Close();
        DeleteFileA(probe);
        return bWritten ? 1 : 0;
    }
    return 0;
}

int CreateFolder(const char* path)
{
    if (!IsFullPathName(path))
        return 0;
    FwWaitCursor wait;
    char work[MAX_PATH];
    if (!CopyWhole(work, path, sizeof work))
        return 0;
    ConvertSlashes(work);
    AppendBackSlash(work);
    if (!IsSepAt(LastChar(work)))
        return 0; // no room for the closing separator
    char* p;
    if (IsDosFolder(work)) {
        p = work + 3;
    } else if (work[0] == '\\' && work[1] == '\\') {
        p = const_cast<char*>(NextSep(work + 2)); // after the server name
        if (!*p || !p[1])
            return 0;
        p = const_cast<char*>(NextSep(p + 1)); // after the share name
        p++;
    } else {
        p = work + 1; // a path on the current drive
    }
    while (*p) {
        char* end = const_cast<char*>(NextSep(p));
        if (end == p) { // a doubled separator
            p++;
            continue;
        }
        char saved = *end;
        *end = '\0';
        if (!FolderExists(work) && !CreateDirectoryA(work, nullptr) && !FolderExists(work))
            return 0;
        *end = saved;
        p = *end ? end + 1 : end;
    }
    return 1;
}

int IsFtpFolder(const char* path)
{
    // Whether the system's FTP folder component is installed does not change while the
    // process runs: asked once.
    static int s_ftpFolder = -1;
    if (s_ftpFolder < 0) {
        FwLibrary lib("msieftp.dll");
        DLLGETVERSIONPROC getVersion =
            reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(lib.GetProc("DllGetVersion")));
        DLLVERSIONINFO info = {};
        info.cbSize = sizeof info;
        s_ftpFolder = getVersion && SUCCEEDED(getVersion(&info)) && (info.dwMajorVersion || info.dwMinorVersion);
    }
    if (!s_ftpFolder)
        return 0;
    return !path || StrCompareN(path, "ftp://", 6, 1) == 0;
}
