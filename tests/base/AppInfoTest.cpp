// The application identity: the library's own at load, stacking of identities and the
// replacement made at start-up (resource ids are checked through ResStr).
#include "RegTestUtil.h"
#include <cstring>
#include "base/AppInfo.h"
#include "base/Module.h"

namespace {

// Tests that replace the process's identity put the library's one back, with the
// machine-wide and user roots redirected so its registry work stays in the test key.
class AppInfoTest : public RegFixture {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        Redirect(HKEY_CURRENT_USER, "cu");
        Redirect(HKEY_LOCAL_MACHINE, "lm");
    }
    void TearDown() override
    {
        MakeAppInfo(GetLibraryModule());
        RegFixture::TearDown();
    }
};

} // namespace

TEST_F(AppInfoTest, NewestIdentityIsMirrored)
{
    // The library's own identity describes the product.
    EXPECT_EQ(GetModuleHandleA("VNT32.dll"), AppInfo::Data().hInstance);
    EXPECT_STREQ("Vantora", AppInfo::Data().pszTitle);
    EXPECT_STREQ("HKCU\\Software\\Corvane\\Vantora\\ControlPanel", AppInfo::Data().pszRootKey);
    const AppData none = {};
    MakeAppInfo(nullptr);
    EXPECT_EQ(0, memcmp(&none, &AppInfo::Data(), sizeof none));
    EXPECT_EQ(nullptr, AppInfo::GetAppInfo());

    HINSTANCE hExe = GetModuleHandleA(nullptr);
    AppInfo* a = new AppInfo(hExe, "AppA", "SecA", "Title A", "a.hlp", 0x100, 0);
    EXPECT_STREQ("HKCU\\Software\\Corvane\\AppA\\SecA", AppInfo::Data().pszRootKey);
    AppInfo* b = new AppInfo(nullptr, "AppB", "SecB", "Title B", "b.hlp", 0x200, 0);
    EXPECT_EQ(b, AppInfo::GetAppInfo());
    EXPECT_STREQ("Title B", AppInfo::Data().pszTitle);

    // An older identity's new key does not show; the newest one's does.
    a->SetAppRootKey("HKCU\\A2");
    EXPECT_STREQ("HKCU\\Software\\Corvane\\AppB\\SecB", AppInfo::Data().pszRootKey);
    b->SetAppRootKey("HKCU\\B2");
    EXPECT_STREQ("HKCU\\B2", AppInfo::Data().pszRootKey);

    // Each identity that goes leaves the mirror to the newest one left.
    delete b;
    EXPECT_EQ(hExe, AppInfo::Data().hInstance);
    EXPECT_STREQ("Title A", AppInfo::Data().pszTitle);
    EXPECT_STREQ("HKCU\\A2", AppInfo::Data().pszRootKey);
    b = new AppInfo(hExe, "AppB", "SecB", "Title B", "b.hlp", 0x200, 0);
    delete a;
    EXPECT_STREQ("AppB", AppInfo::Data().pszAppName);
    delete b;
    EXPECT_EQ(0, memcmp(&none, &AppInfo::Data(), sizeof none));
    EXPECT_EQ(nullptr, AppInfo::GetAppInfo());
}

TEST_F(AppInfoTest, StartUpReplacesIdentityDropsHomeAndMigrates)
{
    RawSetStr("Software\\Corvane\\Vantora\\Setup", "Home", "C:\\Before", HKEY_LOCAL_MACHINE);
    RawSetDword("Software\\Fenwick\\Vantora\\ControlPanel", "SS_TimeOut", 25);
    HINSTANCE hExe = GetModuleHandleA(nullptr);
    ASSERT_NE(nullptr, MakeAppInfo(hExe));
    EXPECT_EQ(1, AppInfo::listAppInfo.GetCount()); // the library's identity is gone
    EXPECT_EQ(hExe, AppInfo::Data().hInstance);
    EXPECT_STREQ("HKCU\\Software\\Corvane\\Vantora\\ControlPanel", AppInfo::Data().pszRootKey);
    EXPECT_EQ(0u, RawGet("Software\\Corvane\\Vantora\\Setup", "Home", HKEY_LOCAL_MACHINE).type);
    RawValue moved = RawGet("Software\\Corvane\\Vantora\\ControlPanel", "SS_TimeOut");
    EXPECT_EQ(RawValue({REG_DWORD, std::string("\x19\0\0\0", 4)}), moved);
}
