// StrList: the stored form of a list of strings in one registry value, read back through
// the real registry; double-byte items on code page 932.
#include "OptionsTestUtil.h"
#include <algorithm>
#include <vector>
#include "options/StrList.h"

namespace {

class StrListTest : public SettingsKeyTest {};

// What a list holding an old item holds after loading.
Strs Loaded(StrList& list)
{
    list.AddTail("1Old");
    list.Load();
    return Items(list);
}

} // namespace

// 0x95 0x5C is one character on code page 932 (its trail byte is the code of "\"); on
// code page 1252 the same bytes are two characters. Both round-trip unchanged.
TEST_F(StrListTest, StoredFormRoundTrips)
{
    const std::string dbcs1 = "1\x95\x5C\x8E\x71", dbcs2 = "0\x83\x7C\x83\x67";
    const struct Case { Strs items; std::string stored; } cases[] = {
        {{"1North", "0South"}, std::string("1North\0" "0South\0" "\0", 15)},
        {{}, std::string(1, '\0')}, // an empty list is one zero byte
        {{"1A", "", "1B"}, std::string("1A\0" "\0" "1B\0" "\0", 8)}, // "" ends the list
        {{dbcs1, dbcs2}, dbcs1 + '\0' + dbcs2 + '\0' + '\0'},
    };
    StrList list("SS");
    EXPECT_EQ(Strs{}, Loaded(list)) << "no settings key";
    EXPECT_FALSE(RawExists(sub));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.items.size());
        list.RemoveAll();
        for (auto item = c.items.rbegin(); item != c.items.rend(); ++item)
            list.AddHead(item->c_str());
        list.Store();
        EXPECT_EQ((RawValue{REG_BINARY, c.stored}), Value("SS"));
        EXPECT_EQ(Strs(c.items.begin(), std::find(c.items.begin(), c.items.end(), "")), Loaded(list));
    }
}

TEST_F(StrListTest, OddStoredValues)
{
    const struct Case { DWORD type; std::string bytes; Strs loaded; } cases[] = {
        {REG_BINARY, std::string("\0" "1A\0\0", 5), {}}, // a first zero byte with more after it
        {REG_BINARY, "1", {}},
        {REG_BINARY, "", {}},
        {REG_SZ, std::string("1A\0\0", 4), {}}, // a value of another kind than binary
        {REG_BINARY, std::string("1A\0" "1Bee", 7), {"1A", "1Bee"}}, // no final zero: read to the end
        // A lead byte right before an item's zero must not swallow that zero.
        {REG_BINARY, std::string("1\x95\0" "1B\0\0", 7), {"1\x95", "1B"}},
    };
    StrList list("SS");
    SetDword("Other", 1);
    EXPECT_EQ(Strs{}, Loaded(list)) << "the key exists, the value does not";
    for (const Case& c : cases) {
        RawSet(sub, "SS", c.type, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        EXPECT_EQ(c.loaded, Loaded(list)) << c.bytes.size() << " bytes of type " << c.type;
    }
}
