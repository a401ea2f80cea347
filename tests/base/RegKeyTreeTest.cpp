// RegKey trees: deleting (also items that cannot be deleted), copying with every kind of
// value and the move from the former company key.
#include "RegTestUtil.h"
#include "TestUtil.h"
#include "base/RegKey.h"

namespace {

// A small tree of every kind of value.
const struct { const char* key; const char* name; RawValue value; } kTree[] = {
    {"", "", {REG_SZ, std::string("unnamed", 8)}},
    {"", "str", {REG_SZ, std::string("text \x95\x5C", 8)}},
    {"", "num", {REG_DWORD, std::string("\xD2\x04\0\0", 4)}},
    {"", "bin", {REG_BINARY, std::string("\0\1\xFF", 3)}},
    {"", "multi", {REG_MULTI_SZ, std::string("a\0b\0", 5)}},
    {"\\Child", "leaf", {REG_SZ, std::string("L", 2)}},
    {"\\Child\\Grand", "deep", {REG_DWORD, std::string("\7\0\0\0", 4)}},
};

void MakeTree(const std::string& at)
{
    for (const auto& item : kTree)
        RawSet(at + item.key, item.name, item.value.type, item.value.bytes.data(),
               static_cast<DWORD>(item.value.bytes.size()));
}

} // namespace

using RegKeyTree = RegFixture;

TEST_F(RegKeyTree, DeletingSubKeysAndContents)
{
    MakeTree(sub + "\\Tree");
    RawCreate(sub + "\\Parent\\Kid");
    RawSetStr(sub + "\\Unnamed", "", "");
    RawCreate(sub + "\\Bare");
    RegKey key(path.c_str(), 0); // read access is enough for the parent
    // Nothing there is success with nothing left behind; no name would mean this key itself.
    // Only a key without values and subkeys goes when it must be empty.
    const struct { bool ifEmpty; const char* name; int result; bool remains; } cases[] = {
        {false, "Tree", 1, false}, {false, "Missing", 1, false}, {false, "", 0, true},
        {true, "Parent", 0, true}, {true, "Unnamed", 0, true}, {true, "Bare", 1, false},
        {true, "Missing", 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.ifEmpty ? " if empty" : ""));
        EXPECT_EQ(c.result, c.ifEmpty ? key.DelSubKeyIfEmpty(c.name) : key.DelSubKey(c.name));
        EXPECT_EQ(c.remains, RawExists(*c.name ? sub + "\\" + c.name : sub));
    }
    // DelAll empties the key and keeps it.
    MakeTree(sub + "\\All");
    EXPECT_TRUE(RegKey((path + "\\All").c_str(), 1).DelAll());
    EXPECT_TRUE(RawExists(sub + "\\All"));
    EXPECT_EQ(RawCountPair(0, 0), RawCounts(sub + "\\All"));
}

TEST_F(RegKeyTree, UndeletableItemsEndTheLoops)
{
    // Values cannot be deleted through a key opened for reading: DelAll returns and
    // keeps them, while the subkeys (opened for writing on their own) go.
    MakeTree(sub + "\\R");
    EXPECT_TRUE(RegKey((path + "\\R").c_str(), 0).DelAll());
    EXPECT_EQ(RawCountPair(0, 5), RawCounts(sub + "\\R"));

    // Below D, a key that may only be read, and one made through the wide interface whose
    // name exists on 932 but turns into "??" on 1252, where a deletion by that name removes
    // nothing: DelSubKey deletes the rest and fails.
    RawSetStr(sub + "\\D\\A", "v", "a");
    RawSetStr(sub + "\\D\\Locked", "v", "l");
    RawSetStr(sub + "\\D\\Z", "v", "z");
    RawLockForReading(hBase, "D\\Locked");
    HKEY h;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyW(hBase, L"D\\\x65E5\x672C", &h));
    RegCloseKey(h);
    RegKey key(path.c_str(), 1);
    EXPECT_FALSE(key.DelSubKey("D"));
    EXPECT_EQ(RawCountPair(Dbcs() ? 1 : 2, 0), RawCounts(sub + "\\D"));
    EXPECT_TRUE(key.DelAll()); // returns, keeping what it cannot delete
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyA(hBase, "D\\Locked")); // the fixture could not
}

TEST_F(RegKeyTree, CopyToCopiesEveryValueKind)
{
    MakeTree(sub + "\\Src");
    RawSetStr(sub + "\\Dst", "existing", "stays");
    RawSetStr(sub + "\\Dst", "str", "replaced");
    RegKey src((path + "\\Src").c_str(), 0);
    RegKey dst((path + "\\Dst").c_str(), 1);
    EXPECT_TRUE(src.CopyTo(dst));
    for (const auto& item : kTree)
        EXPECT_EQ(item.value, RawGet(sub + "\\Dst" + item.key, item.name)) << item.key << " " << item.name;
    EXPECT_EQ("stays", RawStr(sub + "\\Dst", "existing"));
}

// The former company key lives at a fixed place: HKCU is redirected into the test's key.
TEST_F(RegKeyTree, Fw2CvMovesOnlyWhenTheNewKeyIsMissing)
{
    Redirect(HKEY_CURRENT_USER, "cu");
    RawSetStr("Software\\Fenwick\\App", "old", "a");
    RawSetStr("Software\\Fenwick\\Other", "old", "o");
    RawSetStr("Software\\Corvane\\Other", "new", "n");
    // Both exist: nothing copied, nothing deleted.
    EXPECT_TRUE(RegKey::Fw2Cv(1, "Other"));
    EXPECT_EQ("", RawStr("Software\\Corvane\\Other", "old"));
    EXPECT_EQ("o", RawStr("Software\\Fenwick\\Other", "old"));
    // Only the old one: moved; the company key stays while another application is in it.
    EXPECT_TRUE(RegKey::Fw2Cv(1, "App"));
    EXPECT_EQ("a", RawStr("Software\\Corvane\\App", "old"));
    EXPECT_FALSE(RawExists("Software\\Fenwick\\App"));
    EXPECT_TRUE(RawExists("Software\\Fenwick\\Other"));
}
