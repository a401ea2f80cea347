// Helpers of the options tests: a private settings key, raw registry access (shared with
// the base tests), small JPEG pictures of one grey level, and the library's folder.
#pragma once
#include "../base/RegTestUtil.h"
#include <memory>
#include <string>
#include "TestUtil.h"
#include "base/AppInfo.h"

// The settings key of the test is HKCU\Software\VantoraTest\<test>_<pid>: an identity
// pushed over the library's own points its root key there. The key does not exist at
// the start of a test and is removed at its end.
class SettingsKeyTest : public ::testing::Test {
protected:
    std::string sub;   // below HKEY_CURRENT_USER
    std::string root;  // the settings key's textual path
    std::unique_ptr<AppInfo> identity;

    void SetUp() override;
    void TearDown() override;

    RawValue Value(const char* name) const { return RawGet(sub, name); }
    bool HasValue(const char* name) const { return Value(name).type != 0; }
    // A REG_DWORD value; def when missing or of another kind.
    DWORD Dword(const char* name, DWORD def = 0xBADF00D) const;
    void SetDword(const char* name, DWORD v) { RawSetDword(sub, name, v); }
    void SetBinary(const char* name, const std::string& bytes)
    {
        RawSet(sub, name, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
};

// An 8 x 8 baseline JPEG of one grey level (0 to 255).
std::string GrayJpeg(int level);
bool WriteGrayJpeg(const std::string& path, int level);

// The folder that holds the loaded VNT32.dll, without a trailing separator.
std::string LibraryFolder();
