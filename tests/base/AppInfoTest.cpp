// The application identity: the library's own at load, stacking of identities, the
// replacement made at start-up and resource ids.
#include "RegTestUtil.h"
#include <cstring>
#include "base/AppInfo.h"
#include "base/Module.h"

namespace {

bool IsZero(const AppData& d)
{
    AppData zero = {};
    return memcmp(&d, &zero, sizeof d) == 0;
}

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

TEST(AppInfoAtLoad, LibraryIdentityDescribesTheProduct)
{
    AppData& d = AppInfo::Data();
    ASSERT_NE(nullptr, GetLibraryModule());
    EXPECT_EQ(GetModuleHandleA("VNT32.dll"), d.hInstance);
    EXPECT_STREQ("Vantora", d.pszTitle);
    EXPECT_STREQ("HKCU\\Software\\Corvane\\Vantora\\ControlPanel", d.pszRootKey);
}

TEST_F(AppInfoTest, NewestIdentityIsMirrored)
{
    MakeAppInfo(nullptr);
    EXPECT_TRUE(IsZero(AppInfo::Data()));
    EXPECT_EQ(nullptr, AppInfo::GetAppInfo());

    HINSTANCE hExe = GetModuleHandleA(nullptr);
    AppInfo* a = new AppInfo(hExe, "AppA", "SecA", "Title A", "a.hlp", 0x100, 0);
    EXPECT_EQ(hExe, AppInfo::Data().hInstance);
    EXPECT_STREQ("HKCU\\Software\\Corvane\\AppA\\SecA", AppInfo::Data().pszRootKey);
    AppInfo* b = new AppInfo(nullptr, "AppB", "SecB", "Title B", "b.hlp", 0x200, 0);
    EXPECT_EQ(b, AppInfo::GetAppInfo());
    EXPECT_STREQ("Title B", AppInfo::Data().pszTitle);
    EXPECT_EQ(2, AppInfo::listAppInfo.GetCount());

    // An older identity's new key does not show; the newest one's does.
    a->SetAppRootKey("HKCU\\A2");
    EXPECT_STREQ("HKCU\\Software\\Corvane\\AppB\\SecB", AppInfo::Data().pszRootKey);
    b->SetAppRootKey("HKCU\\B2");
    EXPECT_STREQ("HKCU\\B2", AppInfo::Data().pszRootKey);

    delete b;
    AppData& d = AppInfo::Data();
    EXPECT_EQ(hExe, d.hInstance);
    EXPECT_STREQ("Title A", d.pszTitle);
    EXPECT_STREQ("HKCU\\A2", d.pszRootKey);
    delete a;
    EXPECT_TRUE(IsZero(AppInfo::Data()));
    EXPECT_EQ(nullptr, AppInfo::GetAppInfo());

    // Destroying the older one first leaves the newest in place.
    a = new AppInfo(hExe, "AppA", "SecA", "Title A", "a.hlp", 0x100, 0);
    b = new AppInfo(hExe, "AppB", "SecB", "Title B", "b.hlp", 0x200, 0);
    delete a;
    EXPECT_STREQ("AppB", AppInfo::Data().pszAppName);
    EXPECT_EQ(b, AppInfo::GetAppInfo());
    delete b;
    EXPECT_TRUE(IsZero(AppInfo::Data()));
}

TEST_F(AppInfoTest, StartUpReplacesIdentityDropsHomeAndMigrates)
{
    RawSetStr("Software\\Corvane\\Vantora\\Setup", "Home", "C:\\Before", HKEY_LOCAL_MACHINE);
    RawSetDword("Software\\Fenwick\\Vantora\\ControlPanel", "SS_TimeOut", 25);
    HINSTANCE hExe = GetModuleHandleA(nullptr);
    AppInfo* made = MakeAppInfo(hExe);
    ASSERT_NE(nullptr, made);
    EXPECT_EQ(made, AppInfo::GetAppInfo());
    EXPECT_EQ(1, AppInfo::listAppInfo.GetCount()); // the library's identity is gone
    EXPECT_EQ(hExe, AppInfo::Data().hInstance);
    EXPECT_STREQ("HKCU\\Software\\Corvane\\Vantora\\ControlPanel", AppInfo::Data().pszRootKey);
    EXPECT_EQ(0u, RawGet("Software\\Corvane\\Vantora\\Setup", "Home", HKEY_LOCAL_MACHINE).type);
    RawValue v = RawGet("Software\\Corvane\\Vantora\\ControlPanel", "SS_TimeOut");
    ASSERT_EQ(static_cast<DWORD>(REG_DWORD), v.type);
    EXPECT_EQ(25u, *reinterpret_cast<const DWORD*>(v.bytes.data()));
    EXPECT_FALSE(RawExists("Software\\Fenwick"));

    // Positive ids now name the program's resources, negative ones the library's; a given
    // module stays.
    const HINSTANCE given = reinterpret_cast<HINSTANCE>(0x1230000);
    const struct { int id; HINSTANCE in, out; int outId; } ids[] = {
        {7, nullptr, hExe, 7}, {-5, nullptr, GetLibraryModule(), 5}, {-6, given, given, 6}};
    for (const auto& c : ids) {
        int id = c.id;
        HINSTANCE inst = c.in;
        AppInfo::ConvertResourceId(id, inst);
        EXPECT_EQ(c.out, inst) << c.id;
        EXPECT_EQ(c.outId, id) << c.id;
    }
}
