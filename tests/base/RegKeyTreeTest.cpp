// RegKey trees: deleting (also items that cannot be deleted), copying with every kind of
// value and the move from the former company key.
#include "RegTestUtil.h"
#include "TestUtil.h"
#include "base/RegKey.h"

namespace {

// A small tree of strings, numbers and binaries below root\sub.
void MakeTree(const std::string& sub, HKEY root = HKEY_CURRENT_USER)
{
    RawSetStr(sub, "", "unnamed", root);
    RawSetStr(sub, "str", "text \x95\x5C", root);
    RawSetDword(sub, "num", 1234, root);
    RawSet(sub, "bin", REG_BINARY, "\x00\x01\xFF", 3, root);
    RawSet(sub, "multi", REG_MULTI_SZ, "a\0b\0", 5, root);
    RawSetStr(sub + "\\Child", "leaf", "L", root);
    RawSetDword(sub + "\\Child\\Grand", "deep", 7, root);
    RawCreate(sub + "\\EmptyChild", root);
}

void ExpectTree(const std::string& sub, HKEY root = HKEY_CURRENT_USER)
{
    EXPECT_EQ(RawValue({REG_SZ, std::string("unnamed", 8)}), RawGet(sub, "", root));
    EXPECT_EQ(RawValue({REG_SZ, std::string("text \x95\x5C", 8)}), RawGet(sub, "str", root));
    DWORD n = 1234;
    EXPECT_EQ(RawValue({REG_DWORD, std::string(reinterpret_cast<char*>(&n), 4)}), RawGet(sub, "num", root));
    EXPECT_EQ(RawValue({REG_BINARY, std::string("\x00\x01\xFF", 3)}), RawGet(sub, "bin", root));
    EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), RawGet(sub, "multi", root).type);
    EXPECT_EQ("L", RawStr(sub + "\\Child", "leaf", root));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), RawGet(sub + "\\Child\\Grand", "deep", root).type);
    EXPECT_TRUE(RawExists(sub + "\\EmptyChild", root));
}

} // namespace

using RegKeyTree = RegFixture;

TEST_F(RegKeyTree, DeletingSubKeysAndContents)
{
    MakeTree(sub + "\\T");
    RawSetStr(sub + "\\Keep", "k", "k");
    RegKey key(path.c_str(), 0); // read access is enough for the parent
    EXPECT_TRUE(key.DelSubKey("T"));
    EXPECT_FALSE(RawExists(sub + "\\T"));
    EXPECT_EQ("k", RawStr(sub + "\\Keep", "k"));
    // Nothing there: success, and nothing is left behind.
    EXPECT_TRUE(key.DelSubKey("Missing"));
    EXPECT_FALSE(RawExists(sub + "\\Missing"));
    // No name would mean this key itself.
    EXPECT_FALSE(key.DelSubKey(""));
    EXPECT_TRUE(RawExists(sub));

    // Only a key without values and subkeys goes; an unnamed value counts as a value.
    RawCreate(sub + "\\Parent\\Kid");
    RawSetStr(sub + "\\Empty", "", "");
    RawCreate(sub + "\\Bare");
    EXPECT_FALSE(key.DelSubKeyIfEmpty("Parent"));
    EXPECT_FALSE(key.DelSubKeyIfEmpty("Empty"));
    EXPECT_TRUE(RawExists(sub + "\\Parent\\Kid") && RawExists(sub + "\\Empty"));
    EXPECT_TRUE(key.DelSubKeyIfEmpty("Bare"));
    EXPECT_FALSE(RawExists(sub + "\\Bare"));

    MakeTree(sub + "\\All");
    RegKey all((path + "\\All").c_str(), 1);
    EXPECT_TRUE(all.DelAll());
    EXPECT_TRUE(RawExists(sub + "\\All"));
    EXPECT_TRUE(RawSubKeysW(sub + "\\All").empty());
    EXPECT_EQ(0u, RawValueCount(sub + "\\All"));
}

TEST_F(RegKeyTree, UndeletableItemsEndTheLoops)
{
    // Values cannot be deleted through a key opened for reading: DelAll returns and
    // keeps them, while the subkeys (opened for writing on their own) go.
    MakeTree(sub + "\\R");
    {
        RegKey readOnly((path + "\\R").c_str(), 0);
        DWORD start = GetTickCount();
        EXPECT_TRUE(readOnly.DelAll());
        EXPECT_LT(GetTickCount() - start, 5000u);
    }
    EXPECT_EQ("text \x95\x5C", RawStr(sub + "\\R", "str"));
    EXPECT_EQ(5u, RawValueCount(sub + "\\R"));
    EXPECT_TRUE(RawSubKeysW(sub + "\\R").empty());

    // A subkey that may only be read: DelSubKey of its parent deletes the rest and fails.
    RawSetStr(sub + "\\D\\A", "v", "a");
    RawSetStr(sub + "\\D\\Locked", "v", "l");
    RawSetStr(sub + "\\D\\Z", "v", "z");
    RawLockForReading(hBase, "D\\Locked");
    RegKey key(path.c_str(), 1);
    EXPECT_FALSE(key.DelSubKey("D"));
    EXPECT_EQ(std::vector<std::wstring>{L"Locked"}, RawSubKeysW(sub + "\\D"));
    EXPECT_EQ("l", RawStr(sub + "\\D\\Locked", "v"));
    EXPECT_TRUE(key.DelAll()); // returns, keeping what it cannot delete
    EXPECT_TRUE(RawExists(sub + "\\D\\Locked"));
    // Clean up what the fixture could not open.
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(hBase, "D\\Locked"));
}

TEST_F(RegKeyTree, NamesOutsideTheCodePageDoNotLoop)
{
    // Made through the wide interface: "\x65E5\x672C" exists on 932, turns into "??" on
    // 1252, where a deletion by that name removes nothing.
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(hBase, L"W\\\x65E5\x672C", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr));
    RegSetValueExW(h, L"\x65E5", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"v"), 4);
    RegCloseKey(h);
    RawSetStr(sub + "\\W\\plain", "v", "p");
    RegKey key(path.c_str(), 1);
    DWORD start = GetTickCount();
    EXPECT_EQ(Dbcs() ? 1 : 0, key.DelSubKey("W"));
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_FALSE(RawExists(sub + "\\W\\plain"));
    EXPECT_EQ(!Dbcs(), RawExists(sub + "\\W"));
    EXPECT_TRUE(key.DelAll());
    EXPECT_EQ(!Dbcs(), RawExists(sub + "\\W"));
}

TEST_F(RegKeyTree, CopyToCopiesEveryValueKind)
{
    MakeTree(sub + "\\Src");
    RawSetStr(sub + "\\Dst", "existing", "stays");
    RawSetStr(sub + "\\Dst", "str", "replaced");
    RegKey src((path + "\\Src").c_str(), 0);
    RegKey dst((path + "\\Dst").c_str(), 1);
    EXPECT_TRUE(src.CopyTo(dst));
    ExpectTree(sub + "\\Dst");
    EXPECT_EQ("stays", RawStr(sub + "\\Dst", "existing"));
    ExpectTree(sub + "\\Src");
}

// The former company key lives at fixed places: HKCU and HKLM are redirected into the
// test's own key for these.
TEST_F(RegKeyTree, Fw2CvMovesOldSettings)
{
    for (int hkcu : {1, 0}) {
        HKEY root = hkcu ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
        Redirect(root, hkcu ? "cu" : "lm");
        MakeTree("Software\\Fenwick\\App", root);
        EXPECT_TRUE(RegKey::Fw2Cv(hkcu, "App"));
        ExpectTree("Software\\Corvane\\App", root);
        EXPECT_FALSE(RawExists("Software\\Fenwick\\App", root));
        EXPECT_FALSE(RawExists("Software\\Fenwick", root)); // nothing else was in it
        RegOverridePredefKey(root, nullptr);
    }
    // The private key got them, the real root did not.
    EXPECT_TRUE(RawExists(sub + "\\lm\\Software\\Corvane\\App\\Child\\Grand"));
    EXPECT_FALSE(RawExists("Software\\Corvane\\App"));
}

TEST_F(RegKeyTree, Fw2CvLeavesExistingNewKeyAndOtherApps)
{
    Redirect(HKEY_CURRENT_USER, "cu");
    RawSetStr("Software\\Fenwick\\App", "old", "o");
    RawSetStr("Software\\Fenwick\\Other", "x", "x");
    RawSetStr("Software\\Corvane\\App", "new", "n");
    // Both exist: nothing copied, nothing deleted.
    EXPECT_TRUE(RegKey::Fw2Cv(1, "App"));
    EXPECT_EQ("", RawStr("Software\\Corvane\\App", "old"));
    EXPECT_EQ("o", RawStr("Software\\Fenwick\\App", "old"));
    // Only the old one: moved, and the company key stays for the other application.
    EXPECT_TRUE(RegKey::Fw2Cv(1, "Other"));
    EXPECT_EQ("x", RawStr("Software\\Corvane\\Other", "x"));
    EXPECT_FALSE(RawExists("Software\\Fenwick\\Other"));
    EXPECT_TRUE(RawExists("Software\\Fenwick\\App"));
}
