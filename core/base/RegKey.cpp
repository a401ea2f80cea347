// RegKey: opening by textual path and the value operations.
#include <cstdarg>
#include <cstdio>
#include <new>
#include "base/RegKey.h"
#include "base/Format.h"
#include "base/Mbcs.h"
#include "base/MemHolders.h"

const char RegKey::sz_HKCU_Software_MyCompany[] = "HKCU\\Software\\Corvane";
const char RegKey::sz_HKLM_Software_MyCompany[] = "HKLM\\Software\\Corvane";
const char RegKey::sz_Software_Fenwick[] = "Software\\Fenwick";
const char RegKey::sz_CLASSES_CLSID[] = "HKCLS\\CLSID";
const char RegKey::sz_CLASSES[] = "HKCLS";
const char RegKey::sz_HKLM_WinCurVer[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion";
const char RegKey::sz_HKLM_WinNTCurVer[] = "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion";
const char RegKey::sz_HKCU_WinCurVer[] = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion";
const char RegKey::sz_Setup_Restrictions[] = "Setup\\Restrictions";

long RegKey::lError = 0;

namespace {

const struct {
    const char* pszShort;
    const char* pszLong;
    HKEY hKey;
} s_roots[] = {
    {"HKCLS", "HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
    {"HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER},
    {"HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
    {"HKU", "HKEY_USERS", HKEY_USERS},
};

// Longest path component, in bytes.
const unsigned cbMaxComponent = 127;

HKEY FindRoot(const char* name)
{
    for (const auto& root : s_roots)
        if (StrCompare(name, root.pszShort, 1) == 0 || StrCompare(name, root.pszLong, 1) == 0)
            return root.hKey;
    return nullptr;
}

// The predefined roots are not ours to close.
bool IsPredefined(HKEY h)
{
    ULONG_PTR v = reinterpret_cast<ULONG_PTR>(h);
    return v >= 0x80000000u && v <= 0x80000006u;
}

void CloseKey(HKEY h)
{
    if (h && !IsPredefined(h))
        RegCloseKey(h);
}

HKEY OpenSub(HKEY parent, const char* sub, int create)
{
    HKEY h = nullptr;
    LONG r = create ? RegCreateKeyExA(parent, sub, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS, nullptr, &h, nullptr)
                    : RegOpenKeyExA(parent, sub, 0, KEY_READ, &h);
    return r == ERROR_SUCCESS ? h : nullptr;
}

// Non-empty components left in p (a trail byte equal to "\" separates nothing).
int CountComponents(const char* p)
{
    int n = 0;
    int inComponent = 0;
    for (; *p; IncPsz(p)) {
        if (*p == '\\') {
            inComponent = 0;
        } else if (!inComponent) {
            inComponent = 1;
            n++;
        }
    }
    return n;
}

// Walks the path component by component; stops while `levels` components are left.
HKEY ResolvePath(const char* path, int create, int levels)
{
    if (!path || !*path)
        return nullptr;
    RegKey cur; // the key reached so far, closed on every early return
    const char* p = path;
    while (*p) {
        if (levels && CountComponents(p) <= levels)
            break;
        char comp[cbMaxComponent + 1];
        unsigned n = 0;
        int tooLong = 0;
        while (*p && *p != '\\') {
            unsigned c = SizeOf(p);
            if (n + c > cbMaxComponent)
                tooLong = 1;
            for (unsigned i = 0; i < c; i++, p++)
                if (!tooLong)
                    comp[n + i] = *p;
            if (!tooLong)
                n += c;
        }
        comp[n] = '\0';
        if (*p == '\\')
            p++;
        if (tooLong)
            return nullptr;
        if (n == 0)
            continue;
        if (!cur.hKey) {
            cur.hKey = FindRoot(comp);
            continue;
        }
        HKEY next = OpenSub(cur.hKey, comp, create);
        if (!next)
            return nullptr;
        cur.Close();
        cur.hKey = next;
    }
    HKEY resolved = cur.hKey;
    cur.hKey = nullptr;
    return resolved;
}

} // namespace

RegKey::RegKey() : hKey(nullptr), nEnumIndex(-1) {}

RegKey::RegKey(const char* path, int create) : RegKey()
{
    Open(path, create);
}

RegKey::RegKey(const char* path, Op op) : RegKey()
{
    Open(path, op);
}

RegKey::RegKey(RegKey& parent, const char* sub, int create) : RegKey()
{
    Open(parent, sub, create);
}

RegKey::RegKey(RegKey& parent, const char* sub, Op op) : RegKey()
{
    Open(parent, sub, op);
}

RegKey::~RegKey()
{
    Close();
}

void RegKey::Attach(HKEY h)
{
    if (hKey != h)
        CloseKey(hKey);
    hKey = h;
    nEnumIndex = -1;
}

int RegKey::Open(const char* path, int create)
{
    Attach(ResolvePath(path, create, 0));
    return IsReady();
}

int RegKey::Open(const char* path, Op op)
{
    return Open(path, IsWritable(op));
}

int RegKey::Open(RegKey& parent, const char* sub, int create)
{
    Attach(parent.hKey ? OpenSub(parent.hKey, sub, create) : nullptr);
    return IsReady();
}

int RegKey::Open(RegKey& parent, const char* sub, Op op)
{
    return Open(parent, sub, IsWritable(op));
}

int RegKey::OpenParent(const char* path, int create, int levels)
{
    Attach(ResolvePath(path, create, levels));
    return IsReady();
}

void RegKey::Close()
{
    CloseKey(hKey);
    hKey = nullptr;
}

int RegKey::Flush()
{
    return hKey && RegFlushKey(hKey) == ERROR_SUCCESS;
}

unsigned long RegKey::GetDword(const char* name, unsigned long def)
{
    DWORD type = 0, v = 0, cb = sizeof(v);
    if (!hKey || RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &cb) != ERROR_SUCCESS)
        return def;
    return (type == REG_DWORD && cb == sizeof(v)) ? v : def;
}

int RegKey::GetInt(const char* name, int def)
{
    return static_cast<int>(GetDword(name, static_cast<unsigned long>(def)));
}

int RegKey::GetStr(const char* name, char* buf, int size, const char* def)
{
    if (!buf || size <= 0)
        return 0;
    DWORD type = 0, cb = 0;
    if (hKey && RegQueryValueExA(hKey, name, nullptr, &type, nullptr, &cb) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ) && cb <= static_cast<DWORD>(size)) {
        // Read aside first: the stored bytes may lack their terminator, and buf may hold
        // the caller's default.
        HeapBuffer buffer(cb + 1);
        char* tmp = buffer.Get();
        DWORD cbRead = cb;
        if (tmp && RegQueryValueExA(hKey, name, nullptr, &type, reinterpret_cast<BYTE*>(tmp), &cbRead) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ) && cbRead <= cb) {
            tmp[cbRead] = '\0';
            unsigned len = 0;
            while (tmp[len])
                len++;
            if (len < static_cast<unsigned>(size)) {
                for (unsigned i = 0; i <= len; i++)
                    buf[i] = tmp[i];
                return static_cast<int>(len);
            }
        }
    }
    if (def == buf) {
        // The caller's text in buf is the default: keep it, terminated within size after
        // its last whole character.
        unsigned n = 0;
        while (buf[n]) {
            unsigned c = IsLead(buf[n]) ? 2 : 1;
            if (n + c >= static_cast<unsigned>(size))
                break;
            n += c;
        }
        buf[n] = '\0';
        return static_cast<int>(n);
    }
    return static_cast<int>(StrCopyN(buf, def ? def : "", static_cast<unsigned>(size)));
}

unsigned long RegKey::GetBinSize(const char* name)
{
    DWORD cb = 0;
    if (!hKey || RegQueryValueExA(hKey, name, nullptr, nullptr, nullptr, &cb) != ERROR_SUCCESS)
        return 0;
    return cb;
}

int RegKey::GetBin(const char* name, unsigned char* buf, unsigned size)
{
    DWORD cb = 0;
    if (!hKey || !buf || RegQueryValueExA(hKey, name, nullptr, nullptr, nullptr, &cb) != ERROR_SUCCESS)
        return 0;
    if (size != 0 && size < cb)
        return 0;
    DWORD cbRead = size ? size : cb;
    return RegQueryValueExA(hKey, name, nullptr, nullptr, buf, &cbRead) == ERROR_SUCCESS;
}

unsigned long RegKey::GetValueType(const char* name)
{
    DWORD type = 0;
    if (!hKey || RegQueryValueExA(hKey, name, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return type;
}

int RegKey::FindValue(const char* name)
{
    return GetValueType(name) != 0;
}

int RegKey::PutDword(const char* name, unsigned long v)
{
    DWORD d = v;
    return hKey && RegSetValueExA(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&d), sizeof(d)) == ERROR_SUCCESS;
}

int RegKey::PutInt(const char* name, int v)
{
    return PutDword(name, static_cast<unsigned long>(v));
}

int RegKey::PutStr(const char* name, const char* s)
{
    if (!hKey || !s)
        return 0;
    // The terminator is stored with the text (the count stops at 32767 characters).
    DWORD cb = _tcssize(s) + 1;
    return RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(s), cb) == ERROR_SUCCESS;
}

int RegKey::PutBin(const char* name, const unsigned char* p, unsigned n)
{
    if (!hKey || (!p && n))
        return 0;
    return RegSetValueExA(hKey, name, 0, REG_BINARY, p, n) == ERROR_SUCCESS;
}

int RegKey::DelValue(const char* name)
{
    return hKey && RegDeleteValueA(hKey, name) == ERROR_SUCCESS;
}

int RegKey::ProcessEntry(Op op, const char* name, unsigned long& v)
{
    switch (op) {
    case opCheck:
        return GetDword(name, 0) == v;
    case opRemove:
        DelValue(name);
        return 1;
    case opWrite:
        if (ProcessEntry(opCheck, name, v))
            return 1;
        if (v == 0) {
            DelValue(name);
            return 1;
        }
        return PutDword(name, v);
    case opRead:
        v = GetDword(name, 0);
        return 1;
    }
    return 1;
}

int RegKey::ProcessEntry(Op op, const char* name, int& v)
{
    unsigned long u = static_cast<unsigned long>(v);
    int r = ProcessEntry(op, name, u);
    v = static_cast<int>(u);
    return r;
}

int RegKey::ProcessEntry(Op op, const char* name, const char* s, unsigned size)
{
    switch (op) {
    case opCheck: {
        if (!s)
            return 0;
        char stored[520];
        if (GetStr(name, stored, sizeof(stored), nullptr) == 0)
            return 0;
        return StrCompare(stored, s, 0) == 0;
    }
    case opRemove:
        DelValue(name);
        return 1;
    case opWrite:
        if (ProcessEntry(opCheck, name, s, size))
            return 1;
        return PutStr(name, s);
    case opRead:
        if (!s || size == 0 || size > 0x7FFFFFFFu)
            return 0;
        return GetStr(name, const_cast<char*>(s), static_cast<int>(size), nullptr) != 0;
    }
    return 1;
}

int RegKey::FormatPath(char* buf, unsigned size, const char* fmt, ...)
{
    if (!buf || size == 0)
        return 0;
    va_list args;
    va_start(args, fmt);
    bool ok = FormatWholeV(buf, size, fmt, args);
    va_end(args);
    return ok ? 1 : 0;
}
