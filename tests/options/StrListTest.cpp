// StrList: the stored form of a list of strings in one registry value, read back through
// the real registry; double-byte items on code page 932.
#include "OptionsTestUtil.h"
#include <vector>
#include "base/Mbcs.h"
#include "options/StrList.h"

namespace {

class StrListTest : public SettingsKeyTest {};

std::vector<std::string> Items(const StrList& list)
{
    std::vector<std::string> items;
    for (POS__* pos = list.GetHeadPosition(); pos;)
        items.push_back(static_cast<const char*>(list.GetNext(pos)));
    return items;
}

const std::string kNorthSouth("1North\0" "0South\0" "\0", 15);

} // namespace

TEST_F(StrListTest, TwoItemsAreStoredAsFifteenBytesAndReadBackInOrder)
{
    StrList list("SS");
    list.AddTail("0South");
    list.AddHead("1North");
    list.Store();
    RawValue v = Value("SS");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), v.type);
    EXPECT_EQ(kNorthSouth, v.bytes);

    StrList loaded("SS");
    loaded.AddTail("1Old");
    loaded.Load();
    EXPECT_EQ((std::vector<std::string>{"1North", "0South"}), Items(loaded));
}

TEST_F(StrListTest, EmptyListIsOneZeroByteAndLoadsEmpty)
{
    StrList list("WP");
    list.Store();
    EXPECT_EQ(std::string(1, '\0'), Value("WP").bytes);
    list.AddTail("1A");
    list.Load();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(StrListTest, EmptyStringEndsTheListOnLoad)
{
    StrList list("SS");
    list.AddTail("1A");
    list.AddTail("");
    list.AddTail("1B");
    list.Store();
    EXPECT_EQ(std::string("1A\0" "\0" "1B\0" "\0", 8), Value("SS").bytes);
    StrList loaded("SS");
    loaded.Load();
    EXPECT_EQ((std::vector<std::string>{"1A"}), Items(loaded));
}

TEST_F(StrListTest, UnusableValuesGiveAnEmptyList)
{
    StrList list("SS");
    // A first zero byte with more after it.
    SetBinary("SS", std::string("\0" "1A\0\0", 5));
    list.AddTail("1Old");
    list.Load();
    EXPECT_EQ(0, list.GetCount());
    // One byte, zero bytes.
    for (const std::string& bytes : {std::string("1"), std::string()}) {
        SetBinary("SS", bytes);
        list.AddTail("1Old");
        list.Load();
        EXPECT_EQ(0, list.GetCount()) << bytes.size() << " bytes";
    }
    // Values of another kind than binary.
    RawSetStr(sub, "SS", "1Text");
    list.AddTail("1Old");
    list.Load();
    EXPECT_EQ(0, list.GetCount());
    RawSetDword(sub, "SS", 0x00413131);
    list.AddTail("1Old");
    list.Load();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(StrListTest, DataWithoutFinalZeroIsReadToItsEnd)
{
    StrList list("SS");
    SetBinary("SS", std::string("1A\0" "1Bee", 7));
    list.Load();
    EXPECT_EQ((std::vector<std::string>{"1A", "1Bee"}), Items(list));
    SetBinary("SS", "1Only");
    list.Load();
    EXPECT_EQ((std::vector<std::string>{"1Only"}), Items(list));
}

TEST_F(StrListTest, MissingValueOrKeyFreesTheOldItems)
{
    StrList list("SS");
    list.AddTail("1A");
    list.AddTail("1B");
    list.Load(); // no settings key at all
    EXPECT_EQ(0, list.GetCount());
    EXPECT_FALSE(RawExists(sub));
    SetDword("Other", 1); // the key exists, the value does not
    list.AddTail("1C");
    list.Load();
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(StrListTest, ItemsAreOwnedCopies)
{
    StrList list("SS");
    char text[] = "1Mine";
    list.AddTail(text);
    text[1] = 'X';
    EXPECT_STREQ("1Mine", static_cast<const char*>(list.GetHead()));
    POS__* pos = list.GetHeadPosition();
    list.RemoveAt(pos);
    EXPECT_EQ(0, list.GetCount());
}

TEST_F(StrListTest, StoreCreatesTheKeyAndReplacesTheWholeValue)
{
    StrList list("SS");
    for (int i = 0; i < 40; ++i)
        list.AddTail(("1Set" + std::to_string(i)).c_str());
    list.Store();
    EXPECT_TRUE(RawExists(sub));
    list.RemoveAll();
    list.AddTail("0Z");
    list.Store();
    EXPECT_EQ(std::string("0Z\0\0", 4), Value("SS").bytes);
}

// 0x95 0x5C is one character on code page 932 (its trail byte is the code of "\"); on
// code page 1252 the same bytes are two characters. Both round-trip unchanged.
TEST_F(StrListTest, DoubleByteItemsRoundTrip)
{
    const std::string item1 = "1\x95\x5C\x8E\x71";
    const std::string item2 = "0\x83\x7C\x83\x67";
    StrList list("SS");
    list.AddTail(item1.c_str());
    list.AddTail(item2.c_str());
    list.Store();
    EXPECT_EQ(item1 + '\0' + item2 + '\0' + '\0', Value("SS").bytes);
    StrList loaded("SS");
    loaded.Load();
    EXPECT_EQ((std::vector<std::string>{item1, item2}), Items(loaded));
}

// A lead byte right before an item's zero must not swallow that zero.
TEST_F(StrListTest, LeadByteBeforeTheZeroEndsItsItem)
{
    SetBinary("SS", std::string("1\x95\0" "1B\0\0", 7));
    StrList list("SS");
    list.Load();
    EXPECT_EQ((std::vector<std::string>{"1\x95", "1B"}), Items(list)) << "multibyte " << IsMBCS();
}
