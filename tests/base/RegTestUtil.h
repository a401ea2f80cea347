// A private registry key per test (HKCU\Software\VantoraTest\<suite>_<test>_<pid>), made at
// the start unless bCreate is cleared and removed with everything below it afterwards; raw registry helpers that check what RegKey did
// without going through it; and redirection of a predefined root into the private key.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>
#include <shlwapi.h>
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

class RegFixture : public ::testing::Test {
protected:
    std::string sub;   // below HKEY_CURRENT_USER
    std::string path;  // textual path with root
    HKEY hBase = nullptr;
    bool bCreate = true;

    void SetUp() override
    {
        const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
        sub = std::string("Software\\VantoraTest\\") + info->test_suite_name() + "_" + info->name() +
              "_" + std::to_string(GetCurrentProcessId());
        path = "HKCU\\" + sub;
        SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
        if (bCreate) {
            ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, sub.c_str(), 0, nullptr, 0,
                                                     KEY_ALL_ACCESS, nullptr, &hBase, nullptr));
        }
    }
    void TearDown() override
    {
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT, HKEY_USERS})
            RegOverridePredefKey(root, nullptr);
        if (hBase)
            RegCloseKey(hBase);
        if (!sub.empty())
            SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
    }

    // Makes a predefined root an alias of <private key>\<name> for this process.
    void Redirect(HKEY root, const char* name)
    {
        HKEY h = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(hBase, name, 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &h, nullptr));
        ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(root, h));
        RegCloseKey(h);
    }
};

// Lets everyone only read the key below base (which this process cannot open for writing
// afterwards; RegDeleteKey of it still works).
inline void RawLockForReading(HKEY base, const char* sub)
{
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(base, sub, 0, KEY_ALL_ACCESS, &h));
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1, &sd, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(h, DACL_SECURITY_INFORMATION, sd));
    LocalFree(sd);
    RegCloseKey(h);
}

// A raw key below a root, opened for reading or created; closed with the object.
struct RawKey {
    HKEY h = nullptr;
    RawKey(const std::string& sub, HKEY root, bool create)
    {
        if ((create ? RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr)
                    : RegOpenKeyExA(root, sub.c_str(), 0, KEY_READ, &h)) != ERROR_SUCCESS)
            h = nullptr;
    }
    ~RawKey() { if (h) RegCloseKey(h); }
};

inline bool RawExists(const std::string& sub, HKEY root = HKEY_CURRENT_USER) { return RawKey(sub, root, false).h; }
inline void RawCreate(const std::string& sub, HKEY root = HKEY_CURRENT_USER) { ASSERT_TRUE(RawKey(sub, root, true).h) << sub; }

inline void RawSet(const std::string& sub, const char* name, DWORD type, const void* data,
                   DWORD cb, HKEY root = HKEY_CURRENT_USER)
{
    RawKey key(sub, root, true);
    ASSERT_NE(nullptr, key.h) << sub;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key.h, name, 0, type, static_cast<const BYTE*>(data), cb));
}

inline void RawSetStr(const std::string& sub, const char* name, const char* s, HKEY root = HKEY_CURRENT_USER)
{
    RawSet(sub, name, REG_SZ, s, static_cast<DWORD>(strlen(s) + 1), root);
}
inline void RawSetDword(const std::string& sub, const char* name, DWORD v, HKEY root = HKEY_CURRENT_USER)
{
    RawSet(sub, name, REG_DWORD, &v, sizeof v, root);
}

// Type and bytes of a value; type 0 when missing.
struct RawValue {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const RawValue& o) const { return type == o.type && bytes == o.bytes; }
};

inline RawValue RawGet(const std::string& sub, const char* name, HKEY root = HKEY_CURRENT_USER)
{
    RawValue v;
    RawKey key(sub, root, false);
    DWORD cb = 0, type = 0;
    if (key.h && RegQueryValueExA(key.h, name, nullptr, &type, nullptr, &cb) == ERROR_SUCCESS) {
        v.bytes.resize(cb + 1);
        if (RegQueryValueExA(key.h, name, nullptr, &type, reinterpret_cast<BYTE*>(&v.bytes[0]), &cb) == ERROR_SUCCESS)
            v.type = type;
        v.bytes.resize(cb);
    }
    return v;
}

inline std::string RawStr(const std::string& sub, const char* name, HKEY root = HKEY_CURRENT_USER)
{
    return RawGet(sub, name, root).bytes.c_str();
}

// Names of the subkeys (wide, as the registry holds them).
inline std::vector<std::wstring> RawSubKeysW(const std::string& sub, HKEY root = HKEY_CURRENT_USER)
{
    std::vector<std::wstring> names;
    RawKey key(sub, root, false);
    WCHAR name[300];
    for (DWORD i = 0, cch = 300; key.h && RegEnumKeyExW(key.h, i, name, &cch, nullptr, nullptr, nullptr,
                                                        nullptr) == ERROR_SUCCESS; i++, cch = 300)
        names.push_back(name);
    return names;
}

inline DWORD RawValueCount(const std::string& sub, HKEY root = HKEY_CURRENT_USER)
{
    RawKey key(sub, root, false);
    DWORD n = 0;
    if (key.h)
        RegQueryInfoKeyA(key.h, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &n, nullptr,
                         nullptr, nullptr, nullptr);
    return n;
}
