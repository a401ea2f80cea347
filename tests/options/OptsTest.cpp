// The options record in the registry: defaults, odd stored values and what a store writes.
#include "OptionsTestUtil.h"
#include <vector>
#include "base/RegKey.h"
#include "options/Opts.h"

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

TEST_F(OptsTest, NoSettingsKeyGivesTheDefaultsAndKeepsTheLists)
{
    Opts o;
    EXPECT_EQ(0u, o.dwOpts);
    o.listSS.AddTail("1Kept");
    EXPECT_EQ(0, o.Load());
    ExpectDefaults(o);
    EXPECT_EQ(1, o.listSS.GetCount());
    EXPECT_EQ(0, o.listWP.GetCount());
    EXPECT_FALSE(RawExists(sub)) << "loading creates nothing";
}

TEST_F(OptsTest, OptionsStoredAsZeroClearsEveryFlagOddValuesLeaveTheDefaults)
{
    SetDword("Options", 0);
    RawSet(sub, "SS_TimeOut", REG_BINARY, "\x05\0\0\0\0\0\0\0", 8);
    RawSet(sub, "WP_change", REG_DWORD, "\x02\0", 2);
    RawSet(sub, "WP_count", REG_QWORD, "\x09\0\0\0\0\0\0\0", 8);
    Opts o;
    o.listWP.AddTail("1Gone");
    EXPECT_EQ(1, o.Load());
    EXPECT_EQ(0u, o.dwOpts);
    o.dwOpts = 0x21002;
    ExpectDefaults(o);
    EXPECT_EQ(0, o.listWP.GetCount()) << "a missing list loads empty";
}

TEST_F(OptsTest, LoadThenStoreWritesTheSameValuesPlusBothLists)
{
    SetDword("Options", 0x30003);
    SetDword("SS_TimeOut", 25);
    SetDword("WP_change", 0xFFFFFFFF); // no unit selected
    SetDword("WP_count", 7);
    SetBinary("SS", std::string("1A\0" "0B\0\0", 7));
    const char* const names[] = {"Options", "SS_TimeOut", "WP_change", "WP_count", "SS"};
    std::vector<RawValue> loaded;
    for (const char* name : names)
        loaded.push_back(Value(name));
    Opts o;
    ASSERT_EQ(1, o.Load());
    EXPECT_EQ(0x30003u, o.dwOpts);
    EXPECT_EQ(25u, o.dwTimeOut);
    EXPECT_EQ(0xFFFFFFFFu, o.dwWPChange);
    EXPECT_EQ(7u, o.dwWPChangeCount);
    EXPECT_EQ(2, o.listSS.GetCount());
    SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
    ASSERT_EQ(1, o.Store());
    for (size_t i = 0; i < loaded.size(); i++)
        EXPECT_EQ(loaded[i], Value(names[i])) << names[i];
    EXPECT_EQ((RawValue{REG_BINARY, std::string(1, '\0')}), Value("WP"));
    EXPECT_EQ(6u, RawValueCount(sub)) << "the pace is never stored";
}

TEST_F(OptsTest, UnopenableSettingsKeyWritesNothing)
{
    identity->SetAppRootKey("HKNOWHERE\\Software\\Corvane");
    Opts o;
    EXPECT_EQ(0, o.Load());
    ExpectDefaults(o);
    EXPECT_EQ(0, o.Store());
}
