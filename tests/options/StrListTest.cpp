// StrList: the stored form of a list of strings in one registry value, read back through
// the real registry; double-byte items on code page 932.
#include "OptionsTestUtil.h"
#include <vector>
#include "base/Mbcs.h"
#include "options/StrList.h"

namespace {

class StrListTest : public SettingsKeyTest {};

using Strs = std::vector<std::string>;

// What a list holding an old item holds after loading.
Strs Loaded(StrList& list)
{
    list.AddTail("1Old");
    list.Load();
    return Items(list);
}

} // namespace

TEST_F(StrListTest, StoredFormRoundTrips)
{
    StrList list("SS");
    EXPECT_EQ(Strs{}, Loaded(list)) << "no settings key";
    EXPECT_FALSE(RawExists(sub));
    list.AddTail("0South");
    list.AddHead("1North");
    list.Store();
    EXPECT_EQ((RawValue{REG_BINARY, std::string("1North\0" "0South\0" "\0", 15)}), Value("SS"));
    EXPECT_EQ((Strs{"1North", "0South"}), Loaded(list));

    // An empty list is one zero byte.
    list.RemoveAll();
    list.Store();
    EXPECT_EQ(std::string(1, '\0'), Value("SS").bytes);
    EXPECT_EQ(Strs{}, Loaded(list));

    // An empty string ends the list.
    list.AddTail("1A");
    list.AddTail("");
    list.AddTail("1B");
    list.Store();
    EXPECT_EQ(std::string("1A\0" "\0" "1B\0" "\0", 8), Value("SS").bytes);
    EXPECT_EQ(Strs{"1A"}, Loaded(list));
}

TEST_F(StrListTest, OddStoredValues)
{
    StrList list("SS");
    SetDword("Other", 1); // the key exists, the value does not
    EXPECT_EQ(Strs{}, Loaded(list));
    // A first zero byte with more after it; one byte; zero bytes.
    for (const std::string& bytes : {std::string("\0" "1A\0\0", 5), std::string("1"), std::string()}) {
        SetBinary("SS", bytes);
        EXPECT_EQ(Strs{}, Loaded(list)) << bytes.size() << " bytes";
    }
    // Values of another kind than binary.
    RawSetStr(sub, "SS", "1Text");
    EXPECT_EQ(Strs{}, Loaded(list));
    // Data without a final zero is read to its end.
    SetBinary("SS", std::string("1A\0" "1Bee", 7));
    EXPECT_EQ((Strs{"1A", "1Bee"}), Loaded(list));
    // A lead byte right before an item's zero must not swallow that zero.
    SetBinary("SS", std::string("1\x95\0" "1B\0\0", 7));
    EXPECT_EQ((Strs{"1\x95", "1B"}), Loaded(list)) << "multibyte " << IsMBCS();
}

// 0x95 0x5C is one character on code page 932 (its trail byte is the code of "\"); on
// code page 1252 the same bytes are two characters. Both round-trip unchanged.
TEST_F(StrListTest, DoubleByteItemsRoundTripAsOwnedCopies)
{
    char item1[] = "1\x95\x5C\x8E\x71";
    const std::string item2 = "0\x83\x7C\x83\x67";
    StrList list("SS");
    list.AddTail(item1);
    list.AddTail(item2.c_str());
    const std::string stored = std::string(item1) + '\0' + item2 + '\0' + '\0';
    item1[1] = 'X'; // the list keeps its own copy
    list.Store();
    EXPECT_EQ(stored, Value("SS").bytes);
    StrList loaded("SS");
    loaded.Load();
    EXPECT_EQ((Strs{"1\x95\x5C\x8E\x71", item2}), Items(loaded));
}
