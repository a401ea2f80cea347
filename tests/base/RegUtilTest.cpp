// Home folder, restrictions, power-user test, stored rectangles and shell-extension
// registration, with the machine-wide roots redirected into the test's own key.
#include "RegTestUtil.h"
#include "base/RegUtil.h"

using RegUtil = RegFixture;

TEST_F(RegUtil, HomeFolderWriteReadRemoveAndFormerKey)
{
    Redirect(HKEY_LOCAL_MACHINE, "lm");
    char buf[MAX_PATH] = "stale";
    EXPECT_FALSE(GetHomeFolder("App", buf));
    EXPECT_STREQ("", buf);
    EXPECT_TRUE(ProcessHomeFolder(RegKey::opWrite, "App", "C:\\Prog \x95\x5C", 0));
    EXPECT_EQ("C:\\Prog \x95\x5C", RawStr("Software\\Corvane\\App\\Setup", "Home", HKEY_LOCAL_MACHINE));
    EXPECT_TRUE(GetHomeFolder("App", buf));
    EXPECT_STREQ("C:\\Prog \x95\x5C", buf);
    EXPECT_FALSE(ProcessHomeFolder(RegKey::opCheck, "App", "C:\\Other", 0));
    EXPECT_TRUE(ProcessHomeFolder(RegKey::opRemove, "App", nullptr, 0));
    EXPECT_EQ(0u, RawGet("Software\\Corvane\\App\\Setup", "Home", HKEY_LOCAL_MACHINE).type);
    EXPECT_FALSE(GetHomeFolder("App", buf));

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

TEST_F(RegUtil, RestrictedReadsNumbersOfTheSetupKey)
{
    Redirect(HKEY_CURRENT_USER, "cu");
    EXPECT_EQ(0, Restricted("App", "NoWallpaper"));
    RawSetDword("Software\\Corvane\\App\\Setup\\Restrictions", "NoWallpaper", 3);
    EXPECT_EQ(3, Restricted("App", "NoWallpaper"));
    EXPECT_EQ(0, Restricted("Else", "NoWallpaper"));
}

TEST_F(RegUtil, PowerUserNeedsWritableMachineKey)
{
    Redirect(HKEY_LOCAL_MACHINE, "lm");
    EXPECT_TRUE(IsPowerUser());
    EXPECT_TRUE(RawExists("Software\\Corvane", HKEY_LOCAL_MACHINE));
    EXPECT_EQ(0u, RawValueCount("Software\\Corvane", HKEY_LOCAL_MACHINE));

    // A company key that may only be read.
    RawCreate(sub + "\\lm2\\Software\\Corvane");
    RawLockForReading(hBase, "lm2\\Software\\Corvane");
    Redirect(HKEY_LOCAL_MACHINE, "lm2");
    EXPECT_FALSE(IsPowerUser());
    EXPECT_EQ(0u, RawValueCount(sub + "\\lm2\\Software\\Corvane"));
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(hBase, "lm2\\Software\\Corvane"));
}

TEST_F(RegUtil, RectanglesAsFourNumbers)
{
    RegKey key(path.c_str(), 1);
    RECT rc = {10, -20, 300, 400};
    EXPECT_TRUE(RegPutRect(key, &rc, "Wnd"));
    EXPECT_EQ(-20, static_cast<int>(*reinterpret_cast<const DWORD*>(RawGet(sub, "WndT").bytes.data())));
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

    EXPECT_FALSE(SetupCtxMenuRegistry(RegKey::opCheck, "VntMenu", "C:\\VNT32.dll", clsid, types, 0));
    RawCreate(server + "\\Stale", HKEY_CLASSES_ROOT);
    EXPECT_TRUE(SetupCtxMenuRegistry(RegKey::opWrite, "VntMenu", "C:\\VNT32.dll", clsid, types, 1));
    EXPECT_FALSE(RawExists(server + "\\Stale", HKEY_CLASSES_ROOT));
    EXPECT_EQ("VntMenu", RawStr(server, "", HKEY_CLASSES_ROOT));
    EXPECT_EQ("C:\\VNT32.dll", RawStr(server + "\\InProcServer32", "", HKEY_CLASSES_ROOT));
    EXPECT_EQ("Apartment", RawStr(server + "\\InProcServer32", "ThreadingModel", HKEY_CLASSES_ROOT));
    EXPECT_EQ(clsid, RawStr("Folder\\shellex\\ContextMenuHandlers\\VntMenu", "", HKEY_CLASSES_ROOT));
    EXPECT_EQ("VntMenu", RawStr(approved, clsid, HKEY_LOCAL_MACHINE));
    // Nothing reached the real roots.
    EXPECT_TRUE(RawExists(sub + "\\cr\\" + server));

    EXPECT_TRUE(SetupCtxMenuRegistry(RegKey::opCheck, "VntMenu", "C:\\VNT32.dll", clsid, types, 0));
    EXPECT_FALSE(SetupCtxMenuRegistry(RegKey::opCheck, "VntMenu", "D:\\VNT32.dll", clsid, types, 0));

    EXPECT_TRUE(RegisterShellExt(RegKey::opRemove, "VntMenu", "C:\\VNT32.dll", clsid, types, "ContextMenuHandlers", 1));
    EXPECT_FALSE(RawExists(server, HKEY_CLASSES_ROOT));
    EXPECT_FALSE(RawExists("txtfile\\shellex\\ContextMenuHandlers\\VntMenu", HKEY_CLASSES_ROOT));
    EXPECT_EQ(0u, RawGet(approved, clsid, HKEY_LOCAL_MACHINE).type);
}
