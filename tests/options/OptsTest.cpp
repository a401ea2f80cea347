// The options record in the registry: defaults, odd stored values, what a store writes and
// in which order, and the wallpaper side effect of storing with the changer off.
#include "OptionsTestUtil.h"
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

std::string GetWallpaper()
{
    char buf[MAX_PATH] = "?";
    SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof buf, buf, 0);
    return buf;
}

// The changer's wallpaper bitmap (a one-pixel bitmap at Opts::GetPathForBMP) set as the
// desktop wallpaper for a test; the previous file and setting come back at the end.
class WallpaperSet {
public:
    WallpaperSet() : previous(GetWallpaper())
    {
        char path[MAX_PATH];
        Opts::GetPathForBMP(path);
        file = path;
        HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            char buf[4096];
            DWORD n = 0;
            while (ReadFile(h, buf, sizeof buf, &n, nullptr) && n)
                saved.append(buf, n);
            CloseHandle(h);
            hadFile = true;
        }
        static const unsigned char bmp[58] = {
            'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
            1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
            0, 0, 255, 0};
        WriteFileBytes(file, bmp, sizeof bmp);
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(file.c_str()),
                              SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    }
    ~WallpaperSet()
    {
        if (hadFile)
            WriteFileBytes(file, saved.data(), saved.size());
        else
            DeleteFileA(file.c_str());
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(previous.c_str()),
                              SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    }
    WallpaperSet(const WallpaperSet&) = delete;
    WallpaperSet& operator=(const WallpaperSet&) = delete;
    const std::string& File() const { return file; }
    bool FileThere() const { return GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES; }

private:
    std::string previous;
    std::string file;
    std::string saved;
    bool hadFile = false;
};

// Records when its hooks run and what the registry held at that moment.
class RecordingOpts : public BoolOpts {
public:
    const SettingsKeyTest* test;
    std::string sub;
    std::string events;
    RecordingOpts(const std::string& s) : BoolOpts("Flags"), test(nullptr), sub(s) {}
    void Reset() override
    {
        events += "reset;";
        dwOpts = 0x55;
    }
    void OnLoad(RegKey& key) override
    {
        events += "load(" + std::to_string(dwOpts) + "," + std::to_string(key.GetDword("Extra", 0)) + ");";
    }
    void OnStore(RegKey& key) override
    {
        events += std::string("store(flags ") + (RawGet(sub, "Flags").type ? "present" : "absent") + ");";
        key.PutDword("Extra", 9);
    }
};

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

TEST_F(OptsTest, OptionsStoredAsZeroClearsEveryFlag)
{
    SetDword("Options", 0);
    Opts o;
    o.listWP.AddTail("1Gone");
    EXPECT_EQ(1, o.Load());
    EXPECT_EQ(0u, o.dwOpts);
    EXPECT_EQ(10u, o.dwTimeOut);
    EXPECT_EQ(4u, o.dwPace);
    EXPECT_EQ(1u, o.dwWPChange);
    EXPECT_EQ(1u, o.dwWPChangeCount);
    EXPECT_EQ(0, o.listWP.GetCount()) << "a missing list loads empty";
}

TEST_F(OptsTest, LoadThenStoreWritesTheSameValuesPlusBothLists)
{
    SetDword("Options", 0x30003);
    SetDword("SS_TimeOut", 25);
    SetDword("WP_change", 0xFFFFFFFF); // no unit selected
    SetDword("WP_count", 7);
    SetBinary("SS", std::string("1A\0" "0B\0\0", 7));
    Opts o;
    ASSERT_EQ(1, o.Load());
    EXPECT_EQ(0x30003u, o.dwOpts);
    EXPECT_EQ(25u, o.dwTimeOut);
    EXPECT_EQ(4u, o.dwPace);
    EXPECT_EQ(0xFFFFFFFFu, o.dwWPChange);
    EXPECT_EQ(7u, o.dwWPChangeCount);
    EXPECT_EQ(2, o.listSS.GetCount());
    ASSERT_EQ(1, o.Store());
    EXPECT_EQ(0x30003u, Dword("Options"));
    EXPECT_EQ(25u, Dword("SS_TimeOut"));
    EXPECT_EQ(0xFFFFFFFFu, Dword("WP_change"));
    EXPECT_EQ(7u, Dword("WP_count"));
    EXPECT_EQ(std::string("1A\0" "0B\0\0", 7), Value("SS").bytes);
    RawValue wp = Value("WP");
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), wp.type);
    EXPECT_EQ(std::string(1, '\0'), wp.bytes);
    EXPECT_EQ(6u, RawValueCount(sub)) << "the pace is never stored";
}

TEST_F(OptsTest, OddStoredValuesLeaveTheDefaults)
{
    RawSetStr(sub, "Options", "3");
    RawSet(sub, "SS_TimeOut", REG_BINARY, "\x05\0\0\0\0\0\0\0", 8);
    RawSet(sub, "WP_change", REG_DWORD, "\x02\0", 2);
    RawSet(sub, "WP_count", REG_QWORD, "\x09\0\0\0\0\0\0\0", 8);
    Opts o;
    EXPECT_EQ(1, o.Load());
    ExpectDefaults(o);
    o.Store();
    EXPECT_EQ(0x21002u, Dword("Options"));
    EXPECT_EQ(10u, Dword("SS_TimeOut"));
    EXPECT_EQ(1u, Dword("WP_change"));
    EXPECT_EQ(1u, Dword("WP_count"));
}

TEST_F(OptsTest, HooksRunInOrderAndTheFlagWordIsWrittenLast)
{
    SetDword("Flags", 7);
    SetDword("Extra", 3);
    RecordingOpts o(sub);
    EXPECT_EQ(1, o.Load());
    EXPECT_EQ("reset;load(7,3);", o.events);
    SHDeleteKeyA(HKEY_CURRENT_USER, sub.c_str());
    o.events.clear();
    o.dwOpts = 0x1234;
    EXPECT_EQ(1, o.Store());
    EXPECT_EQ("store(flags absent);", o.events);
    EXPECT_EQ(0x1234u, Dword("Flags"));
    EXPECT_EQ(9u, Dword("Extra"));
}

TEST_F(OptsTest, FlagHelpers)
{
    Opts o;
    o.dwOpts = 0x1000;
    EXPECT_EQ(1, o.IsOn(0x1002));
    o.dwOpts = 0x2;
    EXPECT_EQ(1, o.IsOn(0x1002));
    EXPECT_EQ(0, o.IsOn(OPT_SS_RANDOM | OPT_WP_RANDOM));
    o.Set(OPT_WP_RANDOM | OPT_SS_RANDOM, 1);
    EXPECT_EQ(0x10003u, o.dwOpts);
    o.Set(OPT_SS_CHANGE, 0);
    int on = -1;
    o.Get(OPT_SS_CHANGE, on);
    EXPECT_EQ(0, on);
    o.Get(OPT_WP_RANDOM, on);
    EXPECT_EQ(1, on);
    EXPECT_EQ(0x10001u, static_cast<unsigned int>(o));
    EXPECT_EQ(0x10001ul, static_cast<unsigned long>(o));
}

TEST_F(OptsTest, UnopenableSettingsKeyWritesNothing)
{
    identity->SetAppRootKey("HKNOWHERE\\Software\\Corvane");
    Opts o;
    EXPECT_EQ(0, o.Load());
    ExpectDefaults(o);
    EXPECT_EQ(0, o.Store());
    char path[520] = "x", caption[520] = "y";
    o.listSS.AddTail("1A");
    o.GetNextPict(1, path, caption);
    EXPECT_STREQ("", path);
    EXPECT_STREQ("", caption);
}

TEST_F(OptsTest, StoreWithTheChangerOffRemovesTheWallpaper)
{
    WallpaperSet wallpaper;
    ASSERT_EQ(wallpaper.File(), GetWallpaper());
    ASSERT_TRUE(wallpaper.FileThere());
    Opts o;
    o.Load();
    o.Set(OPT_WP_CHANGE, 0);
    ASSERT_EQ(1, o.Store());
    EXPECT_EQ("", GetWallpaper());
    EXPECT_FALSE(wallpaper.FileThere()) << "the wallpaper bitmap is deleted";
    EXPECT_EQ(0x01002u, Dword("Options"));
    EXPECT_TRUE(HasValue("SS"));
    EXPECT_TRUE(HasValue("WP_count"));
}

TEST_F(OptsTest, StoreWithTheChangerOnLeavesTheWallpaper)
{
    WallpaperSet wallpaper;
    Opts o;
    o.Load();
    ASSERT_TRUE(o.IsOn(OPT_WP_CHANGE));
    ASSERT_EQ(1, o.Store());
    EXPECT_EQ(wallpaper.File(), GetWallpaper());
    EXPECT_TRUE(wallpaper.FileThere());
    EXPECT_EQ(0x21002u, Dword("Options"));
}
