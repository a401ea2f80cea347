// RegKey: one open registry key, opened by a textual path such as
// "HKCU\Software\Corvane\Vantora\ControlPanel" (roots "HKCLS", "HKCU", "HKLM", "HKU" or
// their long names, any letter case). Values are read and written directly or through
// ProcessEntry, whose Op says whether the call checks, removes, writes or reads; the same
// Op travels through the install-style functions so one routine serves them all.
//
// Failures are silent: an operation returns 0 or the given default and leaves the object
// as it was. Reads check the stored type and size; strings read into caller buffers are
// always terminated. Path components longer than 127 bytes make an open fail.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API RegKey {
public:
    // Values are fixed: they travel through exported functions.
    enum Op { opCheck = 0, opRemove = 1, opWrite = 2, opRead = 3 };

    static const char sz_HKCU_Software_MyCompany[];
    static const char sz_HKLM_Software_MyCompany[];
    static const char sz_Software_Fenwick[];
    static const char sz_CLASSES_CLSID[];
    static const char sz_CLASSES[];
    static const char sz_HKLM_WinCurVer[];
    static const char sz_HKLM_WinNTCurVer[];
    static const char sz_HKCU_WinCurVer[];
    static const char sz_Setup_Restrictions[];

    // The system result of the last SaveKey.
    static long lError;

    HKEY hKey;       // owned; null when closed
    int nEnumIndex;  // last enumerated item, shared by subkeys and values

    RegKey();
    RegKey(const char* path, int create);
    RegKey(const char* path, Op op);
    RegKey(RegKey& parent, const char* sub, int create);
    RegKey(RegKey& parent, const char* sub, Op op);
    virtual ~RegKey();
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    // Each open releases a key already held, also when the new open fails.
    int Open(const char* path, int create);
    int Open(const char* path, Op op);
    // sub may hold backslashes; it is passed to the system unchanged.
    int Open(RegKey& parent, const char* sub, int create);
    int Open(RegKey& parent, const char* sub, Op op);
    // Opens the key that still leaves `levels` components of the path unresolved.
    int OpenParent(const char* path, int create, int levels);
    void Close();
    int IsReady() const { return hKey != nullptr; }
    HKEY GetKey() const { return hKey; }
    int Flush();

    // A null name is the key's unnamed value.
    unsigned long GetDword(const char* name, unsigned long def);
    int GetInt(const char* name, int def);
    // Result: length of the text then in buf (0 for a missing or empty value without a
    // default). A value that is not a string or does not fit gives the default.
    int GetStr(const char* name, char* buf, int size, const char* def);
    unsigned long GetBinSize(const char* name);
    // size 0: the caller knows buf holds the stored size.
    int GetBin(const char* name, unsigned char* buf, unsigned size);
    unsigned long GetValueType(const char* name);
    int FindValue(const char* name);
    int PutDword(const char* name, unsigned long v);
    int PutInt(const char* name, int v);
    int PutStr(const char* name, const char* s);
    int PutBin(const char* name, const unsigned char* p, unsigned n);
    int DelValue(const char* name);
    int ProcessEntry(Op op, const char* name, unsigned long& v);
    int ProcessEntry(Op op, const char* name, int& v);
    // For opRead, s is the caller's buffer of size bytes.
    int ProcessEntry(Op op, const char* name, const char* s, unsigned size);

    // Enumeration: non-zero while an item was read; any error (no more items, a name
    // longer than the buffer) ends it with an empty buf.
    int GetFirstSubKey(char* buf, unsigned long size);
    int GetNextSubKey(char* buf, unsigned long size);
    int GetFirstValue(char* buf, unsigned long size);
    int GetNextValue(char* buf, unsigned long size);
    int IsKeyEmpty();

    int DelSubKey(const char* sub);
    int DelSubKeyIfEmpty(const char* sub);
    int DelAll();
    int ProcessSubKey(Op op, const char* sub);
    int CopyValueTo(RegKey& dst, const char* name);
    int CopyTo(RegKey& dst);
    int Save(const char* file);

    static int IsWritable(Op op) { return op == opRemove || op == opWrite; }
    static int LoadKey(HKEY hkey, const char* sub, const char* file);
    static int UnLoadKey(HKEY hkey, const char* sub);
    static int SaveKey(HKEY hkey, const char* file, LPSECURITY_ATTRIBUTES security);
    // Moves an application's settings from the former company key to the current one.
    static int Fw2Cv(int hkcu, const char* appName);
    // snprintf into a key-path buffer; 0 when the text does not fit.
    static int FormatPath(char* buf, unsigned size, const char* fmt, ...);

    // Longest key name in bytes (255 double-byte characters) plus the terminator.
    enum { cbKeyName = 520 };

private:
    void Attach(HKEY h);
};
