// Helpers of the options tests: a private settings key, raw registry access (shared with
// the base tests) and the library's folder.
#pragma once
#include "../base/RegTestUtil.h"
#include <memory>
#include <string>
#include "TestUtil.h"
#include "base/AppInfo.h"

// The settings key of the test is its private key (RegFixture), which does not exist at
// its start: an identity pushed over the library's own points its root key there.
class SettingsKeyTest : public RegFixture {
protected:
    std::unique_ptr<AppInfo> identity;

    SettingsKeyTest() { bCreate = false; }

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

// The folder that holds the loaded VNT32.dll, without a trailing separator.
std::string LibraryFolder();
