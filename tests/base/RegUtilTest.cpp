// Home folder, restrictions, power-user test, stored rectangles and shell-extension
// registration, with the machine-wide roots redirected into the test's own key.
#include "RegTestUtil.h"
#include "base/RegUtil.h"

using RegUtil = RegFixture;

TEST_F(RegUtil, HomeFolderWriteReadAndFormerKey)
{
    Redirect(HKEY_LOCAL_MACHINE, "lm");
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

TEST_F(RegUtil, RestrictionsAndPowerUserReadTheCompanyKeys)
{
    Redirect(HKEY_CURRENT_USER, "cu");
    EXPECT_EQ(0, Restricted("App", "NoWallpaper"));
    RawSetDword("Software\\Corvane\\App\\Setup\\Restrictions", "NoWallpaper", 3);
    EXPECT_EQ(3, Restricted("App", "NoWallpaper"));
    EXPECT_EQ(0, Restricted("Else", "NoWallpaper"));

    // The machine-wide company key is made and left without the probe value.
    Redirect(HKEY_LOCAL_MACHINE, "lm");
    EXPECT_TRUE(IsPowerUser());
    EXPECT_EQ(RawCountPair(0, 0), RawCounts("Software\\Corvane", HKEY_LOCAL_MACHINE));
    // One that may only be read.
    RawCreate(sub + "\\lm2\\Software\\Corvane");
    RawLockForReading(hBase, "lm2\\Software\\Corvane");
    Redirect(HKEY_LOCAL_MACHINE, "lm2");
    EXPECT_FALSE(IsPowerUser());
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(hBase, "lm2\\Software\\Corvane"));
}

TEST_F(RegUtil, RectanglesAsFourNumbers)
{
    RegKey key(path.c_str(), 1);
    RECT rc = {10, -20, 300, 400};
    EXPECT_TRUE(RegPutRect(key, &rc, "Wnd"));
    EXPECT_EQ(RawValue({REG_DWORD, std::string("\xEC\xFF\xFF\xFF", 4)}), RawGet(sub, "WndT"));
    key.DelValue("WndR");
    RECT back = {1, 2, 3, 4};
    EXPECT_TRUE(RegGetRect(key, &back, "Wnd"));
    RECT expected = {10, -20, 3, 400}; // a missing field stays
    EXPECT_TRUE(EqualRect(&expected, &back));
}

TEST_F(RegUtil, ShellExtensionRegistrationModes)
{
    Redirect(HKEY_CLASSES_ROOT, "cr");
    Redirect(HKEY_LOCAL_MACHINE, "lm");
    const char* clsid = "{01234567-89AB-CDEF-0123-456789ABCDEF}";
    const char* const types[] = {"txtfile", "Folder", nullptr};
    const std::string approved = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";
    const std::string server = std::string("CLSID\\") + clsid;
    auto Setup = [&](RegKey::Op op, const char* dll) {
        return SetupCtxMenuRegistry(op, "VntMenu", dll, clsid, types, 1);
    };

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
