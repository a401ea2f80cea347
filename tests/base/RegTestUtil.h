// A private registry key per test (HKCU\Software\VantoraTest\<suite>_<test>_<pid>), made at
// the start unless bCreate is cleared and removed with its tree afterwards; redirection of a
// predefined root into it; raw helpers that check what the product did without using it.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>
#include <sddl.h>
#include <shlwapi.h>
#include <cstring>
#include <string>
#include <utility>

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
        if (!sub.empty()) // never the whole of HKCU
            SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest"); // only when empty
    }
    // Makes a predefined root an alias of <private key>\<name> for this process.
    void Redirect(HKEY root, const char* name)
    {
        RawKey key(name, hBase, true);
        ASSERT_NE(nullptr, key.h) << name;
        ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(root, key.h));
    }
};

inline bool RawExists(const std::string& sub, HKEY root = HKEY_CURRENT_USER) { return RawKey(sub, root, false).h; }
inline void RawCreate(const std::string& sub, HKEY root = HKEY_CURRENT_USER) { ASSERT_TRUE(RawKey(sub, root, true).h) << sub; }

// Lets everyone only read the key below base (which this process cannot open for writing
// afterwards; RegDeleteKey of it still works).
inline void RawLockForReading(HKEY base, const char* sub)
{
    RawKey key(sub, base, true);
    PSECURITY_DESCRIPTOR sd = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                     &sd, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetKeySecurity(key.h, DACL_SECURITY_INFORMATION, sd));
    LocalFree(sd);
}

inline void RawSet(const std::string& sub, const char* name, DWORD type, const void* data, DWORD cb,
                   HKEY root = HKEY_CURRENT_USER)
{
    RawKey key(sub, root, true);
    ASSERT_NE(nullptr, key.h) << sub;
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key.h, name, 0, type, static_cast<const BYTE*>(data), cb));
}
inline void RawSetStr(const std::string& sub, const char* name, const char* s, HKEY root = HKEY_CURRENT_USER)
{ RawSet(sub, name, REG_SZ, s, static_cast<DWORD>(strlen(s) + 1), root); }
inline void RawSetDword(const std::string& sub, const char* name, DWORD v, HKEY root = HKEY_CURRENT_USER)
{ RawSet(sub, name, REG_DWORD, &v, sizeof v, root); }

// Type and bytes of a value; type 0 when missing.
struct RawValue {
    DWORD type = 0;
    std::string bytes;
    bool operator==(const RawValue& o) const { return type == o.type && bytes == o.bytes; }
};

inline RawValue RawGet(const std::string& sub, const char* name, HKEY root = HKEY_CURRENT_USER)
{
    RawKey key(sub, root, false);
    std::string data(16384, '\0');
    DWORD type = 0, cb = static_cast<DWORD>(data.size());
    if (!key.h || RegQueryValueExA(key.h, name, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &cb))
        return RawValue();
    data.resize(cb);
    return RawValue{type, data};
}
inline std::string RawStr(const std::string& sub, const char* name, HKEY root = HKEY_CURRENT_USER)
{ return RawGet(sub, name, root).bytes.c_str(); }

// Numbers of subkeys and values of a key; none when it is missing.
using RawCountPair = std::pair<DWORD, DWORD>;
inline RawCountPair RawCounts(const std::string& sub, HKEY root = HKEY_CURRENT_USER)
{
    RawKey key(sub, root, false);
    DWORD keys = 0, values = 0;
    if (key.h)
        RegQueryInfoKeyA(key.h, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values, nullptr,
                         nullptr, nullptr, nullptr);
    return {keys, values};
}
