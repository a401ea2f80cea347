// RegKey: textual paths and the modes' create rules, typed reads, ProcessEntry, enumeration,
// deleting and copying trees and the move from the former company key.
#include "RegTestUtil.h"
#include "TestUtil.h"
#include "base/RegKey.h"

using RegKeyTest = RegFixture;

TEST_F(RegKeyTest, PathsReachTheKeyOrFailAndWritingModesCreate)
{
    const std::string a = sub + "\\A", k127(127, 'k'), k128(128, 'k');
    for (const std::string& key : {a, a + "\\" + k127, a + "\\" + k128})
        RawSetStr(key, "v", key == a ? "a" : "k");
    // Separators at either end or doubled separate nothing; a component has at most 127 bytes.
    // Each open releases the key held before, also when it fails.
    const struct { std::string path; const char* value; } cases[] = {
        {"HKCU\\" + a, "a"}, {"hkcu\\" + a, "a"}, {"HkCu\\" + a, "a"}, {"hkey_current_user\\" + a, "a"},
        {"\\HKCU\\" + a, "a"}, {path + "\\\\A", "a"}, {"\\\\HKCU\\\\" + a + "\\\\", "a"},
        {path + "\\A\\" + k127, "k"}, {path + "\\A\\" + k128, nullptr},
        {a, nullptr}, {"HKXX\\" + a, nullptr}, {path + "\\Missing", nullptr},
    };
    RegKey key;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        char buf[4] = "";
        key.Open(c.path.c_str(), 0);
        key.GetStr("v", buf, sizeof buf, "");
        EXPECT_STREQ(c.value ? c.value : "", buf);
        EXPECT_EQ(c.value != nullptr, key.IsReady() != 0);
    }
    // Only a root: the predefined key itself.
    EXPECT_EQ(HKEY_LOCAL_MACHINE, RegKey("HKEY_LOCAL_MACHINE", 0).GetKey());
    EXPECT_EQ(HKEY_CLASSES_ROOT, RegKey("HKCLS", 0).GetKey());
    EXPECT_EQ(HKEY_USERS, RegKey("hku", 0).GetKey());
    EXPECT_FALSE(RegKey(static_cast<const char*>(nullptr), 0).IsReady());
    // Writing modes create the key, reading ones do not; below a parent object too, where
    // the sub path may hold separators.
    RegKey parent(path.c_str(), 0);
    for (RegKey::Op op : {RegKey::opCheck, RegKey::opRemove, RegKey::opWrite, RegKey::opRead}) {
        const std::string name = "K" + std::to_string(op) + "\\Deep";
        const bool creates = op == RegKey::opRemove || op == RegKey::opWrite;
        EXPECT_EQ(creates, RegKey((path + "\\" + name).c_str(), op).IsReady() != 0) << op;
        EXPECT_EQ(creates, RegKey(parent, ("P" + name).c_str(), op).IsReady() != 0) << op;
    }
    // "\x95\x5C" is one character on 932; on 1252 its second byte is a backslash.
    const std::string dbcs = "\\ab\x95\x5C" "cd";
    EXPECT_TRUE(RegKey((path + dbcs).c_str(), 1).IsReady());
    EXPECT_TRUE(RawExists(sub + (Dbcs() ? dbcs : "\\ab\x95\\cd")));
}

TEST_F(RegKeyTest, ReadsCheckTypeAndSize)
{
    RawSet(sub, "num", REG_DWORD, "\xFB\xFF\xFF\xFF", 4); // -5
    RawSet(sub, "short", REG_DWORD, "\x01\x02", 2);
    RawSet(sub, "text3", REG_SZ, "abc", 4); // as long as a number
    RawSet(sub, "text7", REG_SZ, "1234567", 8);
    RawSet(sub, "text8", REG_SZ, "12345678", 9);
    RawSet(sub, "bare7", REG_SZ, "abcdefg", 7); // stored without its terminator
    RawSet(sub, "expand", REG_EXPAND_SZ, "%x%", 4);
    // A default is cut at a whole character to fit.
    const struct { const char* name; int size; const char* def; int number; const char* text; } cases[] = {
        {"num", 8, "dflt", -5, "dflt"}, {"short", 8, "dflt", 9, "dflt"}, {"text3", 8, "dflt", 9, "abc"},
        {"text7", 8, "dflt", 9, "1234567"}, {"text8", 8, "dflt", 9, "dflt"}, {"text8", 8, nullptr, 9, ""},
        {"bare7", 8, "dflt", 9, "abcdefg"}, {"bare7", 7, "dflt", 9, "dflt"}, {"expand", 8, "", 9, "%x%"},
        {"missing", 8, "abcdefghij", 9, "abcdefg"}, {"missing", 4, "ab\x95\x5C", 9, Dbcs() ? "ab" : "ab\x95"},
    };
    RegKey key(path.c_str(), 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.size));
        EXPECT_EQ(c.number, key.GetInt(c.name, 9));
        char buf[8] = "xxxxxxx";
        EXPECT_EQ(static_cast<int>(strlen(c.text)), key.GetStr(c.name, buf, c.size, c.def));
        EXPECT_STREQ(c.text, buf);
    }
    // The buffer holding the default keeps it.
    char buf[8] = "keep";
    EXPECT_EQ(4, key.GetStr("missing", buf, sizeof buf, buf));
    EXPECT_STREQ("keep", buf);
}

TEST_F(RegKeyTest, ProcessEntryWritesOnlyWhenDifferent)
{
    RegKey key(path.c_str(), RegKey::opWrite);
    unsigned long five = 5, six = 6, read = 0, zero = 0;
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "n", five));
    EXPECT_EQ(RawValue({REG_DWORD, std::string("\5\0\0\0", 4)}), RawGet(sub, "n"));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opCheck, "n", five) && !key.ProcessEntry(RegKey::opCheck, "n", six));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opRead, "n", read) && read == 5);
    // Writing 0 deletes; a missing value checks equal to 0.
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "n", zero));
    EXPECT_EQ(0u, RawGet(sub, "n").type);
    EXPECT_TRUE(key.ProcessEntry(RegKey::opCheck, "n", zero));
    // Stored as expandable text: a rewrite would make it plain text.
    RawSet(sub, "s", REG_EXPAND_SZ, "x", 2);
    EXPECT_TRUE(key.ProcessEntry(RegKey::opCheck, "s", "x", 0) && !key.ProcessEntry(RegKey::opCheck, "s", "X", 0));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "s", "x", 0));
    EXPECT_EQ(static_cast<DWORD>(REG_EXPAND_SZ), RawGet(sub, "s").type);
    // An empty stored string counts as different and is rewritten.
    RawSet(sub, "e", REG_EXPAND_SZ, "", 1);
    EXPECT_FALSE(key.ProcessEntry(RegKey::opCheck, "e", "", 0));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "e", "", 0));
    EXPECT_EQ(RawValue({REG_SZ, std::string("", 1)}), RawGet(sub, "e"));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "s", "y\x95\x5C", 0));
    char buf[8];
    EXPECT_TRUE(key.ProcessEntry(RegKey::opRead, "s", buf, sizeof buf));
    EXPECT_STREQ("y\x95\x5C", buf);
    EXPECT_FALSE(key.ProcessEntry(RegKey::opRead, "s", buf, 3));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opRemove, "s", nullptr, 0));
    EXPECT_EQ(0u, RawGet(sub, "s").type);
}

TEST_F(RegKeyTest, EnumerationEmptinessAndBinaries)
{
    RegKey key(path.c_str(), 1);
    EXPECT_TRUE(key.IsKeyEmpty());
    RawCreate(sub + "\\K1");
    RawSetDword(sub, "v1", 1);
    // Subkeys and values share the position; each first item starts again.
    char buf[64], next[64] = "stale";
    EXPECT_TRUE(key.GetFirstSubKey(buf, sizeof buf) && !key.GetNextSubKey(next, sizeof next));
    EXPECT_STREQ("K1", buf);
    EXPECT_STREQ("", next);
    EXPECT_TRUE(key.GetFirstValue(buf, sizeof buf) && !key.GetNextValue(next, sizeof next));
    EXPECT_STREQ("v1", buf);
    // A name longer than the buffer ends the enumeration with an empty buffer.
    EXPECT_FALSE(key.GetFirstSubKey(next, 2));
    EXPECT_STREQ("", next);
    // Only a value with a long name: not empty either.
    RegKey onlyValue(key, "K2", 1);
    onlyValue.PutStr(std::string(300, 'v').c_str(), "long value name");
    EXPECT_FALSE(onlyValue.IsKeyEmpty());
    // Binaries keep their bytes.
    const unsigned char data[5] = {0, 1, 0xFF, 0x5C, 0};
    unsigned char out[8] = {};
    EXPECT_TRUE(key.PutBin("b", data, 5));
    EXPECT_EQ(RawValue({REG_BINARY, std::string("\0\1\xFF\\", 5)}), RawGet(sub, "b"));
    EXPECT_EQ(5u, key.GetBinSize("b"));
    EXPECT_TRUE(key.GetBin("b", out, 8) && memcmp(data, out, 5) == 0);
    EXPECT_TRUE(key.DelValue("b"));
    EXPECT_FALSE(key.DelValue("b"));
}

// A small tree of every kind of value.
const struct { const char* key; const char* name; RawValue value; } kTree[] = {
    {"", "", {REG_SZ, std::string("unnamed", 8)}}, {"", "str", {REG_SZ, std::string("text \x95\x5C", 8)}},
    {"", "num", {REG_DWORD, std::string("\xD2\x04\0\0", 4)}}, {"", "bin", {REG_BINARY, std::string("\0\1\xFF", 3)}},
    {"", "multi", {REG_MULTI_SZ, std::string("a\0b\0", 5)}}, {"\\Child", "leaf", {REG_SZ, std::string("L", 2)}},
    {"\\Child\\Grand", "deep", {REG_DWORD, std::string("\7\0\0\0", 4)}},
};

static void MakeTree(const std::string& at)
{
    for (const auto& item : kTree)
        RawSet(at + item.key, item.name, item.value.type, item.value.bytes.data(),
               static_cast<DWORD>(item.value.bytes.size()));
}

TEST_F(RegKeyTest, DeletingAndCopyingTrees)
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
        {true, "Parent", 0, true}, {true, "Unnamed", 0, true}, {true, "Bare", 1, false}, {true, "Missing", 1, false},
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
    // CopyTo copies every kind of value and keeps what only the destination has.
    MakeTree(sub + "\\Src");
    RawSetStr(sub + "\\Dst", "existing", "stays");
    RawSetStr(sub + "\\Dst", "str", "replaced");
    RegKey src((path + "\\Src").c_str(), 0), dst((path + "\\Dst").c_str(), 1);
    EXPECT_TRUE(src.CopyTo(dst));
    for (const auto& item : kTree)
        EXPECT_EQ(item.value, RawGet(sub + "\\Dst" + item.key, item.name)) << item.key << " " << item.name;
    EXPECT_EQ("stays", RawStr(sub + "\\Dst", "existing"));
}

TEST_F(RegKeyTest, UndeletableItemsEndTheLoops)
{
    // Values cannot be deleted through a key opened for reading: DelAll returns and
    // keeps them, while the subkeys (opened for writing on their own) go.
    MakeTree(sub + "\\R");
    EXPECT_TRUE(RegKey((path + "\\R").c_str(), 0).DelAll());
    EXPECT_EQ(RawCountPair(0, 5), RawCounts(sub + "\\R"));
    // Below D, a key that may only be read, and one made through the wide interface whose
    // name exists on 932 but turns into "??" on 1252, where a deletion by that name removes
    // nothing: DelSubKey deletes the rest and fails.
    for (const char* name : {"\\D\\A", "\\D\\Locked", "\\D\\Z"})
        RawSetStr(sub + name, "v", name);
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

// The former company key lives at a fixed place: HKCU is redirected into the test's key.
TEST_F(RegKeyTest, Fw2CvMovesOnlyWhenTheNewKeyIsMissing)
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
