// RegKey values: typed reads with defaults, strings that do not fit, the operation modes
// of ProcessEntry (writing only when different) and enumeration.
#include "RegTestUtil.h"
#include "TestUtil.h"
#include "base/RegKey.h"

using RegKeyValue = RegFixture;

TEST_F(RegKeyValue, ReadsCheckTypeAndSize)
{
    const DWORD minus5 = static_cast<DWORD>(-5);
    RawSet(sub, "num", REG_DWORD, &minus5, 4);
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

TEST_F(RegKeyValue, BinariesKeepTheirBytes)
{
    RegKey key(path.c_str(), 1);
    const unsigned char data[5] = {0, 1, 0xFF, 0x5C, 0};
    unsigned char out[8] = {};
    EXPECT_TRUE(key.PutBin("b", data, 5));
    EXPECT_EQ(RawValue({REG_BINARY, std::string("\0\1\xFF\\", 5)}), RawGet(sub, "b"));
    EXPECT_EQ(5u, key.GetBinSize("b"));
    EXPECT_TRUE(key.GetBin("b", out, 8) && memcmp(data, out, 5) == 0);
    EXPECT_TRUE(key.DelValue("b"));
    EXPECT_FALSE(key.DelValue("b"));
}

TEST_F(RegKeyValue, ProcessEntryWritesOnlyWhenDifferent)
{
    RegKey key(path.c_str(), RegKey::opWrite);
    unsigned long five = 5, six = 6, read = 0, zero = 0;
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "n", five));
    EXPECT_EQ(RawValue({REG_DWORD, std::string("\5\0\0\0", 4)}), RawGet(sub, "n"));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opCheck, "n", five));
    EXPECT_FALSE(key.ProcessEntry(RegKey::opCheck, "n", six));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opRead, "n", read));
    EXPECT_EQ(5u, read);
    // Writing 0 deletes; a missing value checks equal to 0.
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "n", zero));
    EXPECT_EQ(0u, RawGet(sub, "n").type);
    EXPECT_TRUE(key.ProcessEntry(RegKey::opCheck, "n", zero));
    // Stored as expandable text: a rewrite would make it plain text.
    RawSet(sub, "s", REG_EXPAND_SZ, "x", 2);
    EXPECT_TRUE(key.ProcessEntry(RegKey::opCheck, "s", "x", 0));
    EXPECT_FALSE(key.ProcessEntry(RegKey::opCheck, "s", "X", 0));
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

TEST_F(RegKeyValue, EnumerationAndEmptiness)
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
    strcpy(buf, "stale");
    EXPECT_FALSE(key.GetFirstSubKey(buf, 2));
    EXPECT_STREQ("", buf);
    // Only a value with a long name: not empty either.
    RegKey onlyValue(key, "K2", 1);
    onlyValue.PutStr(std::string(300, 'v').c_str(), "long value name");
    EXPECT_FALSE(onlyValue.IsKeyEmpty());
}
