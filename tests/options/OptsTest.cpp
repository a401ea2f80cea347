// The options record in the registry: defaults, odd stored values and what a store writes;
// the stored form of its string lists, read back through the real registry (double-byte
// items on code page 932).
#include "OptionsTestUtil.h"

namespace {

class OptsTest : public SettingsKeyTest {};
class StrListTest : public SettingsKeyTest {};

// What a list holding an old item holds after loading.
Strs Loaded(StrList& list)
{
    list.AddTail("1Old");
    list.Load();
    return Items(list);
}

// The flag word, the picture interval, the pace and the wallpaper interval.
std::vector<unsigned long> Numbers(const Opts& o)
{
    return {o.dwOpts, o.dwTimeOut, o.dwPace, o.dwWPChange, o.dwWPChangeCount};
}
const std::vector<unsigned long> kDefaults = {0x21002, 10, 4, 1, 1};

} // namespace

TEST_F(OptsTest, WithoutTheKeyOrItsValuesLoadGivesTheDefaults)
{
    Opts o;
    o.listSS.AddTail("1Kept");
    EXPECT_EQ(0, o.Load());
    EXPECT_EQ(kDefaults, Numbers(o));
    EXPECT_EQ(1, o.listSS.GetCount()) << "the lists are not touched";
    EXPECT_FALSE(RawExists(sub)) << "loading creates nothing";
    // Values missing or of another kind.
    RawSet(sub, "SS_TimeOut", REG_BINARY, "\x05\0\0\0", 4);
    RawSet(sub, "WP_count", REG_QWORD, "\x09\0\0\0\0\0\0\0", 8);
    o.dwOpts = o.dwTimeOut = o.dwWPChangeCount = 0;
    EXPECT_EQ(1, o.Load());
    EXPECT_EQ(kDefaults, Numbers(o));
    // A key that cannot be opened: nothing is written either.
    identity->SetAppRootKey("HKNOWHERE\\Software\\Corvane");
    o.dwOpts = o.dwTimeOut = 0;
    EXPECT_EQ(0, o.Load());
    EXPECT_EQ(kDefaults, Numbers(o));
    EXPECT_EQ(0, o.Store());
}

// What a load read, a store writes back: every value of the record, both lists.
TEST_F(OptsTest, LoadThenStoreWritesTheSameValuesPlusBothLists)
{
    SetDword("Options", 0x30003);
    SetDword("SS_TimeOut", 25);
    SetDword("WP_change", 0xFFFFFFFF); // no unit selected
    SetDword("WP_count", 7);
    RawSet(sub, "SS", REG_BINARY, "1A\0" "0B\0\0", 7);
    const char* const names[] = {"Options", "SS_TimeOut", "WP_change", "WP_count", "SS"};
    std::vector<RawValue> loaded;
    for (const char* name : names)
        loaded.push_back(Value(name));
    Opts o;
    ASSERT_EQ(1, o.Load());
    SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
    ASSERT_EQ(1, o.Store());
    for (size_t i = 0; i < loaded.size(); i++)
        EXPECT_EQ(loaded[i], Value(names[i])) << names[i];
    EXPECT_EQ((RawValue{REG_BINARY, std::string(1, '\0')}), Value("WP"));
    EXPECT_EQ(6u, RawValueCount(sub)) << "the pace is never stored";
}

// The stored form is each item with its zero, then one more zero; "" ends a list. 0x95 0x5C
// is one character on code page 932 (its trail byte is the code of "\"), two on 1252: both
// round-trip unchanged. Odd stored values load as far as they make sense.
TEST_F(StrListTest, StoredFormAndOddValues)
{
    const std::string dbcs1 = "1\x95\x5C\x8E\x71", dbcs2 = "0\x83\x7C\x83\x67";
    const struct Case { bool store; Strs items; DWORD type; std::string bytes; Strs loaded; } cases[] = {
        {true, {"1North", "0South"}, REG_BINARY, std::string("1North\0" "0South\0" "\0", 15), {"1North", "0South"}},
        {true, {}, REG_BINARY, std::string(1, '\0'), {}},
        {true, {"1A", "", "1B"}, REG_BINARY, std::string("1A\0" "\0" "1B\0" "\0", 8), {"1A"}},
        {true, {dbcs1, dbcs2}, REG_BINARY, dbcs1 + '\0' + dbcs2 + '\0' + '\0', {dbcs1, dbcs2}},
        {false, {}, REG_BINARY, std::string("\0" "1A\0\0", 5), {}}, // a first zero with more after it
        {false, {}, REG_BINARY, "1", {}},
        {false, {}, REG_BINARY, "", {}},
        {false, {}, REG_SZ, std::string("1A\0\0", 4), {}},
        {false, {}, REG_BINARY, std::string("1A\0" "1Bee", 7), {"1A", "1Bee"}}, // no final zero
        // A lead byte right before an item's zero must not swallow that zero.
        {false, {}, REG_BINARY, std::string("1\x95\0" "1B\0\0", 7), {"1\x95", "1B"}},
    };
    StrList list("SS");
    EXPECT_EQ(Strs{}, Loaded(list)) << "no settings key";
    EXPECT_FALSE(RawExists(sub));
    SetDword("Other", 1);
    EXPECT_EQ(Strs{}, Loaded(list)) << "the key exists, the value does not";
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        list.RemoveAll();
        for (auto item = c.items.rbegin(); item != c.items.rend(); ++item)
            list.AddHead(item->c_str());
        if (c.store)
            list.Store();
        else
            RawSet(sub, "SS", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        EXPECT_EQ((RawValue{c.type, c.bytes}), Value("SS"));
        EXPECT_EQ(c.loaded, Loaded(list));
    }
}
