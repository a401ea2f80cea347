#include "OptionsTestUtil.h"
#include "base/Module.h"

void SettingsKeyTest::SetUp()
{
    RegFixture::SetUp();
    identity.reset(new AppInfo(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora",
                               "VNT.hlp", 0, 0));
    identity->SetAppRootKey(path.c_str());
    ASSERT_STREQ(path.c_str(), AppInfo::Data().pszRootKey);
}

void SettingsKeyTest::TearDown()
{
    identity.reset();
    RegFixture::TearDown();
}

DWORD SettingsKeyTest::Dword(const char* name, DWORD def) const
{
    RawValue v = Value(name);
    if (v.type != REG_DWORD || v.bytes.size() != sizeof(DWORD))
        return def;
    DWORD d;
    memcpy(&d, v.bytes.data(), sizeof d);
    return d;
}

std::string LibraryFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(GetLibraryModule(), path, sizeof path);
    std::string s(path, n < sizeof path ? n : 0);
    size_t sep = s.find_last_of('\\');
    return sep == std::string::npos ? s : s.substr(0, sep);
}
