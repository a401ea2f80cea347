// The options record in the registry: defaults, odd stored values, what a store writes and
// and the wallpaper side effect of storing with the changer off.
#include "OptionsTestUtil.h"
#include <fstream>
#include <iterator>
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
        std::ifstream in(file, std::ios::binary);
        hadFile = in.good();
        saved.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
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

TEST_F(OptsTest, StoreWithTheChangerOnLeavesTheWallpaperOffRemovesIt)
{
    WallpaperSet wallpaper;
    ASSERT_EQ(wallpaper.File(), GetWallpaper());
    Opts o;
    o.Load();
    ASSERT_TRUE(o.IsOn(OPT_WP_CHANGE));
    ASSERT_EQ(1, o.Store());
    EXPECT_EQ(wallpaper.File(), GetWallpaper());
    EXPECT_TRUE(wallpaper.FileThere());
    EXPECT_EQ(0x21002u, Dword("Options"));

    o.Set(OPT_WP_CHANGE, 0);
    ASSERT_EQ(1, o.Store());
    EXPECT_EQ("", GetWallpaper());
    EXPECT_FALSE(wallpaper.FileThere()) << "the wallpaper bitmap is deleted";
    EXPECT_EQ(0x01002u, Dword("Options"));
    EXPECT_TRUE(HasValue("SS")) << "the rest is stored too";
}
