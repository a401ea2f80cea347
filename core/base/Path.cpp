// Path editing, building and the textual tests: nothing here asks the file system.
#include "base/Path.h"
#include <cstring>
#include "base/Mbcs.h"
#include "base/SysInfo.h"
#include "base/PathScan.h"

using namespace PathScan;

namespace {

bool IsDriveStart(const char* p)
{
    return p && IsAlphaChar(p[0]) && p[1] == ':';
}

// MakePath into dst (MAX_PATH bytes); false and an empty dst when the result does not fit.
bool BuildPath(char* dst, const char* folder, const char* name, const char* ext)
{
    char buf[MAX_PATH];
    size_t len = 0;
    buf[0] = '\0';
    bool ok = true;
    if (folder && *folder) {
        ok = Append(buf, len, sizeof buf, folder);
        if (ok && !IsSepAt(LastChar(buf)))
            ok = Append(buf, len, sizeof buf, "\\");
    }
    if (ok && name)
        ok = Append(buf, len, sizeof buf, name);
    if (ok && ext) {
        if (*ext != '.')
            ok = Append(buf, len, sizeof buf, ".");
        ok = ok && Append(buf, len, sizeof buf, ext);
    }
    if (!ok) {
        dst[0] = '\0';
        return false;
    }
    memcpy(dst, buf, len + 1);
    return true;
}

// Removes trailing blanks.
void TrimTrailingBlanks(char* s)
{
    char* end = s;
    for (char* p = s; *p; IncPsz(p))
        if (!IsBlank(*p))
            end = p + SizeOf(p);
    *end = '\0';
}

// Case-insensitive comparison of the characters at a and b, "\" and "/" equal.
bool SameChar(const char* a, const char* b)
{
    if (IsSepAt(a) || IsSepAt(b))
        return IsSepAt(a) && IsSepAt(b);
    if (SizeOf(a) != SizeOf(b))
        return false;
    return CharToLower(CharAt(a)) == CharToLower(CharAt(b));
}

} // namespace

void AppendBackSlash(char* path)
{
    if (!path || !*path || IsSepAt(LastChar(path)))
        return;
    size_t len = strlen(path);
    Append(path, len, MAX_PATH, "\\");
}

void RemoveBackSlash(char* path)
{
    if (!path)
        return;
    char* prev = nullptr;
    char* last = nullptr;
    for (char* p = path; *p; IncPsz(p)) {
        prev = last;
        last = p;
    }
    if (!prev || !IsSepAt(last))
        return;
    if (IsSepAt(prev) || *prev == ':')
        return; // "C:\" and a doubled separator stay
    *last = '\0';
}

// Only a whole character is removed: the trail byte of a double-byte character is kept
// even when it equals "\".
int StripBackSlash(char* path)
{
    if (!path)
        return 0;
    char* last = LastChar(path);
    if (!IsSepAt(last))
        return 0;
    *last = '\0';
    return 1;
}

void StripFileName(char* path)
{
    if (!path)
        return;
    const char* sep = LastSep(path, true);
    if (sep)
        path[sep - path + 1] = '\0';
    else
        path[0] = '\0';
}

void StripFileExt(char* path)
{
    if (!path)
        return;
    char* dot = nullptr;
    for (char* p = path; *p; IncPsz(p)) {
        if (*p == '.')
            dot = p;
        else if (IsSepAt(p) || *p == ':')
            dot = nullptr; // a dot before the last separator belongs to a folder
    }
    if (dot)
        *dot = '\0';
}

void ConvertSlashes(char* path)
{
    if (!path)
        return;
    for (char* p = path; *p; IncPsz(p))
        if (*p == '/')
            *p = '\\';
}

void MakeNamePretty(char* name)
{
    if (!name || !*name)
        return;
    char* p = name;
    CharToUpper(p);
    for (IncPsz(p); *p; IncPsz(p))
        CharToLower(p);
}

void RemoveWhiteSpacesAndQuotes(char* s)
{
    if (!s)
        return;
    char* p = s;
    while (IsBlank(*p))
        p++;
    if (*p == '"') {
        p++;
        while (IsBlank(*p))
            p++;
    }
    memmove(s, p, strlen(p) + 1);
    TrimTrailingBlanks(s);
    char* last = LastChar(s);
    if (last && *last == '"') {
        *last = '\0';
        TrimTrailingBlanks(s);
    }
}

void AddQuotesIfSpace(char* s)
{
    if (!s)
        return;
    const char* p = s;
    while (*p && *p != ' ')
        IncPsz(p);
    if (!*p)
        return;
    size_t len = strlen(s);
    if (len + 3 > MAX_PATH)
        return;
    memmove(s + 1, s, len);
    s[0] = '"';
    s[len + 1] = '"';
    s[len + 2] = '\0';
}

const char* FindLastPathComponent(char* path)
{
    if (!path)
        return nullptr;
    StripBackSlash(path);
    const char* sep = LastSep(path, false);
    return sep ? sep + 1 : path;
}

const char* FindNameExt(const char* path)
{
    if (!path)
        return nullptr;
    const char* sep = LastSep(path, false);
    const char* name = sep ? sep + 1 : path;
    return *name ? name : nullptr;
}

void MakePath(char* dst, const char* folder, const char* name, const char* ext)
{
    if (dst)
        BuildPath(dst, folder, name, ext);
}

void MakePathForOS(char* dst, const char* folder, const char* name, const char* ext)
{
    if (!dst)
        return;
    if (name && *name == ':') {
        bool nt = StrCompareN(name, ":NT:", 4, 1) == 0;
        bool w9x = StrCompareN(name, ":9x:", 4, 1) == 0;
        if ((nt && WinNT()) || (w9x && !WinNT())) {
            name += 4;
        } else {
            dst[0] = '\0'; // meant for the other system family, or an unknown tag
            return;
        }
    }
    BuildPath(dst, folder, name, ext);
}

int ExtractRootPath(char* root, const char* path)
{
    if (!root)
        return 0;
    root[0] = '\0';
    if (!IsFullPathName(path))
        return 0;
    if (IsDosFolder(path)) {
        root[0] = path[0];
        root[1] = ':';
        root[2] = '\0';
        return 1;
    }
    if (!IsSepAt(path) || !IsSepAt(path + 1))
        return 0; // one leading separator: a path on the current drive, no root of its own
    const char* end = NextSep(path + 2);
    size_t n = static_cast<size_t>(end - path);
    if (n + 1 > MAX_PATH)
        return 0;
    memcpy(root, path, n);
    root[n] = '\0';
    return 1;
}

void MakeFullPathName(char* path, const char* base)
{
    if (!path)
        return;
    if (*path) {
        RemoveWhiteSpacesAndQuotes(path);
        ConvertSlashes(path);
    }
    if (!*path) {
        if (base)
            CopyWhole(path, base, MAX_PATH);
        return;
    }
    if (IsDosFolder(path) || (IsSepAt(path) && IsSepAt(path + 1)))
        return;
    char buf[2 * MAX_PATH];
    size_t len = 0;
    buf[0] = '\0';
    if (IsSepAt(path)) {
        // On the drive (or server) of base, else on the current drive.
        char root[MAX_PATH];
        if (!ExtractRootPath(root, base)) {
            char cur[MAX_PATH];
            DWORD n = GetCurrentDirectoryA(sizeof cur, cur);
            if (n == 0 || n >= sizeof cur || !IsDriveStart(cur))
                return;
            root[0] = cur[0];
            root[1] = ':';
            root[2] = '\0';
        }
        if (Append(buf, len, MAX_PATH, root) && Append(buf, len, MAX_PATH, path))
            CopyWhole(path, buf, MAX_PATH);
        return;
    }
    if (base && IsFullPathName(base) && !IsDriveStart(path)) {
        if (BuildPath(buf, base, path, nullptr))
            CopyWhole(path, buf, MAX_PATH);
        return;
    }
    // Against the current directory (also "C:name", relative to that drive's directory).
    DWORD n = GetFullPathNameA(path, sizeof buf, buf, nullptr);
    if (n != 0 && n < MAX_PATH)
        CopyWhole(path, buf, MAX_PATH);
}

int GetCmdLnPath(const char* cmdLine, char* out)
{
    if (!out)
        return 0;
    out[0] = '\0';
    if (!cmdLine)
        return 0;
    const char* p = cmdLine;
    while (IsBlank(*p))
        p++;
    if (!*p)
        return 0;
    const char* end;
    if (*p == '"') {
        p++;
        while (IsBlank(*p))
            p++;
        end = p;
        while (*end && *end != '"')
            IncPsz(end);
    } else {
        end = p;
        while (*end && !IsBlank(*end))
            IncPsz(end);
    }
    // A token longer than a path is cut after its last whole character that fits.
    size_t n = 0;
    for (const char* q = p; q < end && n + SizeOf(q) < MAX_PATH; q += SizeOf(q))
        n += SizeOf(q);
    memcpy(out, p, n);
    out[n] = '\0';
    return 1;
}

const char* GetCmdLnArg(const char* cmdLine)
{
    if (!cmdLine)
        return nullptr;
    const char* p = cmdLine;
    while (IsBlank(*p))
        p++;
    if (*p == '"') {
        p++;
        while (*p && *p != '"')
            IncPsz(p);
    } else {
        while (*p && !IsBlank(*p))
            IncPsz(p);
    }
    if (!*p)
        return nullptr;
    p++; // the closing quote or the blank that ended the token
    return *p ? p : nullptr;
}

int IsFullPathName(const char* path)
{
    if (!path || !*path)
        return 0;
    return IsSepAt(path) || IsDosFolder(path);
}

int IsDosFolder(const char* path)
{
    return path && IsDriveStart(path) && IsSepAt(path + 2);
}

int IsRootFolder(const char* path, int network)
{
    if (!path)
        return 0;
    if (IsDosFolder(path) && path[3] == '\0')
        return 1;
    if (!network || !IsSepAt(path) || !IsSepAt(path + 1) || !path[2] || IsSepAt(path + 2))
        return 0;
    return *NextSep(path + 2) == '\0';
}

int IsNetworkFolder(const char* path)
{
    return path && path[0] == '\\' && path[1] == '\\' && path[2] != '\0';
}

int IsSubFolderOf(const char* path, const char* parent)
{
    if (!path || !parent || !*parent)
        return 0;
    const char* a = path;
    const char* b = parent;
    const char* lastOfParent = nullptr;
    while (*b) {
        if (!*a || !SameChar(a, b))
            return 0;
        lastOfParent = b;
        IncPsz(a);
        IncPsz(b);
    }
    if (IsSepAt(lastOfParent))
        return *a != '\0';
    // The parent's name must end here, and something must follow the separator.
    return IsSepAt(a) && a[1] != '\0';
}
