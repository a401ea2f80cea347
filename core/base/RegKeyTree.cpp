// RegKey: enumeration, deleting and copying trees, hive files and the move of settings
// from the former company key.
//
// The deleting loops take the first item again after each deletion. An item that cannot
// be deleted (no access, or a name that does not survive the code page) is stepped over,
// and any enumeration error ends a loop, so no loop repeats a failing item.
#include "base/FwHandle.h"
#include "base/MemHolders.h"
#include "base/RegKey.h"

namespace {

// Longest value name in bytes (16383 double-byte characters) plus the terminator.
const DWORD cbValueName = 32768;

// Value names go in heap buffers (HeapBuffer): trees are walked recursively.

int EnumKeyName(HKEY h, DWORD index, char* buf, DWORD size)
{
    if (!h || !buf || size == 0)
        return 0;
    DWORD cch = size;
    if (RegEnumKeyExA(h, index, buf, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        return 1;
    buf[0] = '\0';
    return 0;
}

int EnumValueName(HKEY h, DWORD index, char* buf, DWORD size)
{
    if (!h || !buf || size == 0)
        return 0;
    DWORD cch = size;
    if (RegEnumValueA(h, index, buf, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
        return 1;
    buf[0] = '\0';
    return 0;
}

DWORD SubKeyCount(HKEY h)
{
    DWORD n = 0;
    if (RegQueryInfoKeyA(h, nullptr, nullptr, nullptr, &n, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return n;
}

// True when sub does not exist below h (not when it exists but may not be opened).
bool SubKeyMissing(HKEY h, const char* sub)
{
    HKEY hSub = nullptr;
    LONG r = RegOpenKeyExA(h, sub, 0, KEY_QUERY_VALUE, &hSub);
    if (r == ERROR_SUCCESS)
        RegCloseKey(hSub);
    return r == ERROR_FILE_NOT_FOUND;
}

// Deletes every value of h; values that cannot be deleted stay.
void DeleteValues(HKEY h)
{
    HeapBuffer name(cbValueName);
    if (!name.Get())
        return;
    DWORD index = 0;
    while (EnumValueName(h, index, name.Get(), cbValueName))
        if (RegDeleteValueA(h, name.Get()) != ERROR_SUCCESS)
            index++;
}

// Enables a privilege of this process that hive operations need; quietly does nothing
// where the system has none.
void EnablePrivilege(const char* name)
{
    FwHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.Receive()))
        return;
    TOKEN_PRIVILEGES tp = {};
    tp.PrivilegeCount = 1;
    tp.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (LookupPrivilegeValueA(nullptr, name, &tp.Privileges[0].Luid))
        AdjustTokenPrivileges(token, FALSE, &tp, 0, nullptr, nullptr);
}

} // namespace

int RegKey::GetFirstSubKey(char* buf, unsigned long size)
{
    nEnumIndex = -1;
    return GetNextSubKey(buf, size);
}

int RegKey::GetNextSubKey(char* buf, unsigned long size)
{
    return EnumKeyName(hKey, static_cast<DWORD>(++nEnumIndex), buf, size);
}

int RegKey::GetFirstValue(char* buf, unsigned long size)
{
    nEnumIndex = -1;
    return GetNextValue(buf, size);
}

int RegKey::GetNextValue(char* buf, unsigned long size)
{
    return EnumValueName(hKey, static_cast<DWORD>(++nEnumIndex), buf, size);
}

// Counts rather than names: a long value name must not make a key look empty.
int RegKey::IsKeyEmpty()
{
    DWORD nKeys = 0, nValues = 0;
    if (!hKey || RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, &nKeys, nullptr, nullptr,
                                  &nValues, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return 0;
    return nKeys == 0 && nValues == 0;
}

int RegKey::DelSubKey(const char* sub)
{
    // An empty name would name this key itself.
    if (!sub || !*sub)
        return 0;
    if (!hKey)
        return 1;
    {
        RegKey child(*this, sub, 1);
        // Nothing to delete, unless the key exists but may not be opened for writing.
        if (!child.IsReady())
            return SubKeyMissing(hKey, sub);
        char name[cbKeyName];
        DWORD index = 0;
        while (EnumKeyName(child.hKey, index, name, sizeof(name))) {
            DWORD before = SubKeyCount(child.hKey);
            // A success that removed nothing (a name the code page cannot round-trip
            // opens a new key of its own) counts as a failure.
            if (!child.DelSubKey(name) || SubKeyCount(child.hKey) >= before)
                index++;
        }
        DeleteValues(child.hKey);
        RegDeleteValueA(child.hKey, nullptr);
    }
    return RegDeleteKeyA(hKey, sub) == ERROR_SUCCESS;
}

int RegKey::DelSubKeyIfEmpty(const char* sub)
{
    if (!sub || !*sub)
        return 0;
    if (!hKey)
        return 1;
    {
        RegKey child(*this, sub, 1);
        if (!child.IsReady())
            return SubKeyMissing(hKey, sub);
        if (!child.IsKeyEmpty())
            return 0;
        RegDeleteValueA(child.hKey, nullptr);
    }
    return RegDeleteKeyA(hKey, sub) == ERROR_SUCCESS;
}

int RegKey::DelAll()
{
    if (!hKey)
        return 1;
    char name[cbKeyName];
    DWORD index = 0;
    while (EnumKeyName(hKey, index, name, sizeof(name))) {
        DWORD before = SubKeyCount(hKey);
        {
            RegKey child(*this, name, 1);
            if (child.IsReady())
                child.DelAll();
        }
        if (!DelSubKey(name) || SubKeyCount(hKey) >= before)
            index++;
    }
    RegDeleteValueA(hKey, nullptr);
    DeleteValues(hKey);
    return 1;
}

int RegKey::ProcessSubKey(Op op, const char* sub)
{
    if (IsWritable(op)) {
        DelSubKey(sub);
        Flush();
    }
    return 1;
}

// Copies the stored bytes with their type, so nothing is lost when the source goes.
int RegKey::CopyValueTo(RegKey& dst, const char* name)
{
    DWORD type = 0, cb = 0;
    if (!hKey || !dst.hKey || RegQueryValueExA(hKey, name, nullptr, &type, nullptr, &cb) != ERROR_SUCCESS)
        return 1;
    HeapBuffer data(cb);
    if (!data.Get())
        return 1;
    DWORD cbRead = cb;
    if (RegQueryValueExA(hKey, name, nullptr, &type, data.Bytes(), &cbRead) == ERROR_SUCCESS && cbRead <= cb)
        RegSetValueExA(dst.hKey, name, 0, type, data.Bytes(), cbRead);
    return 1;
}

int RegKey::CopyTo(RegKey& dst)
{
    if (!hKey || !dst.hKey)
        return 1;
    char name[cbKeyName];
    for (int ok = GetFirstSubKey(name, sizeof(name)); ok; ok = GetNextSubKey(name, sizeof(name))) {
        RegKey src(*this, name, 0);
        RegKey child(dst, name, 1);
        if (src.IsReady() && child.IsReady())
            src.CopyTo(child);
    }
    CopyValueTo(dst, nullptr);
    HeapBuffer value(cbValueName);
    if (!value.Get())
        return 1;
    for (int ok = GetFirstValue(value.Get(), cbValueName); ok; ok = GetNextValue(value.Get(), cbValueName))
        if (value.Get()[0]) // the unnamed value is done
            CopyValueTo(dst, value.Get());
    return 1;
}

int RegKey::Save(const char* file)
{
    return SaveKey(hKey, file, nullptr);
}

int RegKey::LoadKey(HKEY hkey, const char* sub, const char* file)
{
    EnablePrivilege(SE_RESTORE_NAME);
    EnablePrivilege(SE_BACKUP_NAME);
    return RegLoadKeyA(hkey, sub, file) == ERROR_SUCCESS;
}

int RegKey::UnLoadKey(HKEY hkey, const char* sub)
{
    EnablePrivilege(SE_RESTORE_NAME);
    EnablePrivilege(SE_BACKUP_NAME);
    return RegUnLoadKeyA(hkey, sub) == ERROR_SUCCESS;
}

// The system refuses to save over an existing file: it is deleted first and gets its
// attributes back afterwards.
int RegKey::SaveKey(HKEY hkey, const char* file, LPSECURITY_ATTRIBUTES security)
{
    if (!hkey || !file || !*file) {
        lError = ERROR_INVALID_PARAMETER;
        return 0;
    }
    DWORD attr = GetFileAttributesA(file);
    if (attr != INVALID_FILE_ATTRIBUTES) {
        SetFileAttributesA(file, FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(file);
    } else {
        attr = FILE_ATTRIBUTE_ARCHIVE;
    }
    EnablePrivilege(SE_BACKUP_NAME);
    lError = RegSaveKeyA(hkey, file, security);
    SetFileAttributesA(file, attr);
    return lError == ERROR_SUCCESS;
}

int RegKey::Fw2Cv(int hkcu, const char* appName)
{
    if (!appName || !*appName)
        return 1;
    const char* root = hkcu ? "HKCU" : "HKLM";
    char szNew[256], szOld[256];
    if (!FormatPath(szNew, sizeof(szNew), "%s\\%s",
                    hkcu ? sz_HKCU_Software_MyCompany : sz_HKLM_Software_MyCompany, appName))
        return 1;
    if (RegKey(szNew, 0).IsReady())
        return 1;
    if (!FormatPath(szOld, sizeof(szOld), "%s\\%s\\%s", root, sz_Software_Fenwick, appName))
        return 1;
    {
        RegKey keyOld(szOld, 0);
        if (!keyOld.IsReady())
            return 1;
        RegKey keyNew(szNew, 1);
        if (!keyNew.IsReady())
            return 0;
        keyOld.CopyTo(keyNew);
    }
    char szPath[256];
    if (FormatPath(szPath, sizeof(szPath), "%s\\%s", root, sz_Software_Fenwick)) {
        RegKey keyCompany(szPath, 1);
        if (keyCompany.IsReady())
            keyCompany.DelSubKey(appName);
    }
    if (FormatPath(szPath, sizeof(szPath), "%s\\Software", root)) {
        RegKey keySoftware(szPath, 1);
        if (keySoftware.IsReady())
            keySoftware.DelSubKeyIfEmpty("Fenwick");
    }
    return 1;
}
