// Home folder, power-user test, stored rectangles, shell-extension
// registration and the application identity.
#include "RegTestUtil.h"
#include "base/AppInfo.h"
#include "base/Module.h"
#include "base/RegUtil.h"

namespace {

// The user and machine-wide roots lie in the test's key; tests that replace the process's
// identity get the library's one back.
class RegUtil : public RegFixture {
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

TEST_F(RegUtil, HomeFolderWriteReadAndFormerKey)
{
    char buf[MAX_PATH] = "stale";
    EXPECT_FALSE(GetHomeFolder("App", buf));
    EXPECT_STREQ("", buf);
    EXPECT_TRUE(ProcessHomeFolder(RegKey::opWrite, "App", "C:\\Prog \x95\x5C", 0));
    EXPECT_EQ("C:\\Prog \x95\x5C", RawStr("Software\\Corvane\\App\\Setup", "Home", HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(GetHomeFolder("App", buf));
    EXPECT_STREQ("C:\\Prog \x95\x5C", buf);
    // Reading falls back to the former company's key; writing moves it first.
    RawSetStr("Software\\Fenwick\\Old\\Setup", "Home", "D:\\Old", HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(GetHomeFolder("Old", buf));
    EXPECT_STREQ("D:\\Old", buf);
    EXPECT_FALSE(RawExists("Software\\Corvane\\Old", HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(ProcessHomeFolder(RegKey::opCheck, "Old", "D:\\Old", 0));
    EXPECT_TRUE(ProcessHomeFolder(RegKey::opWrite, "Old", "E:\\New", 0));
    EXPECT_EQ("E:\\New", RawStr("Software\\Corvane\\Old\\Setup", "Home", HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(RawExists("Software\\Fenwick", HKEY_LOCAL_MACHINE));
}

TEST_F(RegUtil, PowerUserAndRectangles)
{
    // The machine-wide company key is made and left without the probe value.
    EXPECT_TRUE(IsPowerUser());
    EXPECT_EQ(RawCountPair(0, 0), RawCounts("Software\\Corvane", HKEY_LOCAL_MACHINE));
    // One that may only be read.
    RawLockForReading(hBase, "lm2\\Software\\Corvane");
    Redirect(HKEY_LOCAL_MACHINE, "lm2");
    EXPECT_FALSE(IsPowerUser());
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(hBase, "lm2\\Software\\Corvane"));
    // Rectangles as four numbers.
    RegKey key(path.c_str(), 1);
    RECT rc = {10, -20, 300, 400};
    EXPECT_TRUE(RegPutRect(key, &rc, "Wnd"));
    EXPECT_EQ(RawValue({REG_DWORD, std::string("\xEC\xFF\xFF\xFF", 4)}), RawGet(sub, "WndT"));
    EXPECT_EQ(RawValue({REG_DWORD, std::string("\x90\x01\0\0", 4)}), RawGet(sub, "WndB"));
}

TEST_F(RegUtil, ShellExtensionRegistrationModes)
{
    Redirect(HKEY_CLASSES_ROOT, "cr");
    const char* clsid = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
    const char* const types[] = {"txtfile", "Folder", nullptr};
    const std::string approved = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
    const std::string server = std::string("CLSID\\") + clsid;
    auto Setup = [&](RegKey::Op op, const char* dll) { return SetupCtxMenuRegistry(op, "VntMenu", dll, clsid, types, 1); };
    EXPECT_FALSE(Setup(RegKey::opCheck, "C:\\VNT32.dll"));
    RawCreate(server + "\\Stale", HKEY_CLASSES_ROOT);
    EXPECT_TRUE(Setup(RegKey::opWrite, "C:\\VNT32.dll"));
    EXPECT_FALSE(RawExists(server + "\\Stale", HKEY_CLASSES_ROOT));
    EXPECT_EQ("VntMenu", RawStr(server, "", HKEY_CLASSES_ROOT));
    EXPECT_EQ("C:\\VNT32.dll", RawStr(server + "\\InProcServer32", "", HKEY_CLASSES_ROOT));
    EXPECT_EQ("Apartment", RawStr(server + "\\InProcServer32", "ThreadingModel", HKEY_CLASSES_ROOT));
    EXPECT_EQ(clsid, RawStr("Folder\\shellex\\ContextMenuHandlers\\VntMenu", "", HKEY_CLASSES_ROOT));
    EXPECT_EQ("VntMenu", RawStr(approved, clsid, HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(Setup(RegKey::opCheck, "C:\\VNT32.dll"));
    EXPECT_FALSE(Setup(RegKey::opCheck, "D:\\VNT32.dll"));
    EXPECT_TRUE(Setup(RegKey::opRemove, "C:\\VNT32.dll"));
    EXPECT_FALSE(RawExists(server, HKEY_CLASSES_ROOT));
    EXPECT_FALSE(RawExists("txtfile\\shellex\\ContextMenuHandlers\\VntMenu", HKEY_CLASSES_ROOT));
    EXPECT_EQ(0u, RawGet(approved, clsid, HKEY_LOCAL_MACHINE).type);
}

TEST_F(RegUtil, NewestIdentityIsMirrored)
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

TEST_F(RegUtil, StartUpReplacesIdentityDropsHomeAndMigrates)
{
    RawSetStr("Software\\Corvane\\Vantora\\Setup", "Home", "C:\\Before", HKEY_LOCAL_MACHINE);
    RawSetDword("Software\\Fenwick\\Vantora\\ControlPanel", "SS_TimeOut", 25);
    HINSTANCE hExe = GetModuleHandleA(nullptr);
    ASSERT_NE(nullptr, MakeAppInfo(hExe));
    EXPECT_EQ(1, AppInfo::listAppInfo.GetCount()); // the library's identity is gone
    EXPECT_EQ(hExe, AppInfo::Data().hInstance);
    EXPECT_STREQ("HKCU\\Software\\Corvane\\Vantora\\ControlPanel", AppInfo::Data().pszRootKey);
    EXPECT_EQ(0u, RawGet("Software\\Corvane\\Vantora\\Setup", "Home", HKEY_LOCAL_MACHINE).type);
    EXPECT_EQ(RawValue({REG_DWORD, std::string("\x19\0\0\0", 4)}),
              RawGet("Software\\Corvane\\Vantora\\ControlPanel", "SS_TimeOut"));
}
