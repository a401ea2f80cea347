// The options record in the registry: defaults, odd stored values and what a store writes.
#include "OptionsTestUtil.h"
#include <vector>

namespace {

class OptsTest : public SettingsKeyTest {};

void ExpectDefaults(const Opts& o)
{
    EXPECT_EQ(0x21002u, o.dwOpts);
    EXPECT_EQ(10u, o.dwTimeOut);
    EXPECT_EQ(4u, o.dwPace);
    EXPECT_EQ(1u, o.dwWPChange);
    EXPECT_EQ(1u, o.dwWPChangeCount);
}

} // namespace

TEST_F(OptsTest, WithoutTheSettingsKeyLoadGivesTheDefaultsAndKeepsTheLists)
{
    Opts o;
    o.listSS.AddTail("1Kept");
    EXPECT_EQ(0, o.Load());
    ExpectDefaults(o);
    EXPECT_EQ(1, o.listSS.GetCount());
    EXPECT_FALSE(RawExists(sub)) << "loading creates nothing";
    // A key that cannot be opened: nothing is written either.
    identity->SetAppRootKey("HKNOWHERE\\Software\\Corvane");
    o.dwOpts = o.dwTimeOut = 0;
    EXPECT_EQ(0, o.Load());
    ExpectDefaults(o);
    EXPECT_EQ(0, o.Store());
}

TEST_F(OptsTest, ValuesMissingOrOfAnotherKindLeaveTheDefaults)
{
    SetDword("Options", 0x21002);
    RawSet(sub, "SS_TimeOut", REG_BINARY, "\x05\0\0\0", 4);
    RawSet(sub, "WP_count", REG_QWORD, "\x09\0\0\0\0\0\0\0", 8);
    Opts o;
    EXPECT_EQ(1, o.Load());
    ExpectDefaults(o);
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
