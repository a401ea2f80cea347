// RegKey values: typed reads with defaults, strings that do not fit, the operation modes
// of ProcessEntry (writing only when different) and enumeration.
#include "RegTestUtil.h"
#include "TestUtil.h"
#include "base/RegKey.h"

namespace {

// Signals when a value of the key is set or deleted.
class ChangeWatch {
public:
    explicit ChangeWatch(HKEY h) : hEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        RegNotifyChangeKeyValue(h, FALSE, REG_NOTIFY_CHANGE_LAST_SET, hEvent, TRUE);
    }
    ~ChangeWatch() { CloseHandle(hEvent); }
    ChangeWatch(const ChangeWatch&) = delete;
    ChangeWatch& operator=(const ChangeWatch&) = delete;
    bool Changed() { return WaitForSingleObject(hEvent, 300) == WAIT_OBJECT_0; }

private:
    HANDLE hEvent;
};

} // namespace

using RegKeyValue = RegFixture;

TEST_F(RegKeyValue, NumbersAndBinariesCheckTypeAndSize)
{
    RegKey key(path.c_str(), 1);
    EXPECT_TRUE(key.PutInt("i", -5));
    EXPECT_EQ(-5, key.GetInt("i", 0));
    EXPECT_EQ(42u, key.GetDword("missing", 42));
    RawSetStr(sub, "str3", "abc"); // four bytes, but text
    EXPECT_EQ(9u, key.GetDword("str3", 9));
    RawSet(sub, "bin2", REG_DWORD, "\x01\x02", 2);
    EXPECT_EQ(9u, key.GetDword("bin2", 9));
    EXPECT_TRUE(key.DelValue("i"));
    EXPECT_FALSE(key.DelValue("i"));

    const unsigned char data[5] = {0, 1, 0xFF, 0x5C, 0};
    EXPECT_TRUE(key.PutBin("b", data, 5));
    EXPECT_EQ(5u, key.GetBinSize("b"));
    unsigned char out[8] = {};
    EXPECT_FALSE(key.GetBin("b", out, 4));
    EXPECT_TRUE(key.GetBin("b", out, 8));
    EXPECT_EQ(0, memcmp(data, out, 5));
}

TEST_F(RegKeyValue, StringsWithDefaultsAndLimits)
{
    RegKey key(path.c_str(), 1);
    char buf[8];
    EXPECT_TRUE(key.PutStr("s", "1234567"));
    EXPECT_EQ(RawValue({REG_SZ, std::string("1234567", 8)}), RawGet(sub, "s"));
    EXPECT_EQ(7, key.GetStr("s", buf, sizeof buf, "dflt"));
    EXPECT_STREQ("1234567", buf);

    // Too long for the buffer, or a number: the default, or an empty buffer.
    key.PutStr("long", "12345678");
    EXPECT_EQ(4, key.GetStr("long", buf, sizeof buf, "dflt"));
    EXPECT_STREQ("dflt", buf);
    EXPECT_EQ(0, key.GetStr("long", buf, sizeof buf, nullptr));
    EXPECT_STREQ("", buf);
    key.PutDword("num", 65);
    EXPECT_EQ(4, key.GetStr("num", buf, sizeof buf, "dflt"));

    // A default as long as the buffer is cut at a whole character and terminated.
    EXPECT_EQ(7, key.GetStr("missing", buf, sizeof buf, "abcdefghij"));
    EXPECT_STREQ("abcdefg", buf);
    EXPECT_EQ(Dbcs() ? 2 : 3, key.GetStr("missing", buf, 4, "ab\x95\x5C"));
    EXPECT_STREQ(Dbcs() ? "ab" : "ab\x95", buf);
    // The buffer holding the default keeps it.
    strcpy(buf, "keep");
    EXPECT_EQ(4, key.GetStr("missing", buf, sizeof buf, buf));
    EXPECT_STREQ("keep", buf);

    // Stored without its terminator: read when there is room for one.
    RawSet(sub, "raw", REG_SZ, "abcdefg", 7);
    EXPECT_EQ(7, key.GetStr("raw", buf, sizeof buf, "dflt"));
    EXPECT_STREQ("abcdefg", buf);
    EXPECT_EQ(4, key.GetStr("raw", buf, 7, "dflt"));
}

TEST_F(RegKeyValue, ProcessEntryWritesOnlyWhenDifferent)
{
    RegKey key(path.c_str(), RegKey::opWrite);
    unsigned long v = 5, other = 6, read = 0, zero = 0;
    EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "n", v));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opCheck, "n", v));
    EXPECT_FALSE(key.ProcessEntry(RegKey::opCheck, "n", other));
    EXPECT_TRUE(key.ProcessEntry(RegKey::opRead, "n", read));
    EXPECT_EQ(5u, read);
    {
        ChangeWatch watch(key.GetKey());
        EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "n", v));
        EXPECT_FALSE(watch.Changed()) << "equal: nothing written";
    }
    {
        ChangeWatch watch(key.GetKey());
        EXPECT_TRUE(key.ProcessEntry(RegKey::opWrite, "n", other));
        EXPECT_TRUE(watch.Changed());
    }
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
    for (const char* name : {"K1", "K2"})
        RawCreate(sub + "\\" + name);
    key.PutDword("v1", 1);
    key.PutStr("v2", "x");
    std::vector<std::string> keys, values;
    char buf[64];
    for (int ok = key.GetFirstSubKey(buf, sizeof buf); ok; ok = key.GetNextSubKey(buf, sizeof buf))
        keys.push_back(buf);
    for (int ok = key.GetFirstValue(buf, sizeof buf); ok; ok = key.GetNextValue(buf, sizeof buf))
        values.push_back(buf);
    std::sort(keys.begin(), keys.end());
    std::sort(values.begin(), values.end());
    EXPECT_EQ((std::vector<std::string>{"K1", "K2"}), keys);
    EXPECT_EQ((std::vector<std::string>{"v1", "v2"}), values);

    // A name longer than the buffer ends the enumeration with an empty buffer.
    RawCreate(sub + "\\K1\\" + std::string(40, 'n'));
    RegKey child(key, "K1", 0);
    strcpy(buf, "stale");
    EXPECT_FALSE(child.GetFirstSubKey(buf, 8));
    EXPECT_STREQ("", buf);
    // Only a value with a long name: not empty either.
    RegKey k2(key, "K2", 1);
    k2.PutStr(std::string(300, 'v').c_str(), "long value name");
    EXPECT_FALSE(k2.IsKeyEmpty());
}
