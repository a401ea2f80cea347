// The options record in the registry and the stored form of its string lists; image-set
// lists and the choice of the next picture on real folders: sequences with the positions
// they store, random draws, captions, and lists following the sets on disk.
#include "OptionsTestUtil.h"
#include <cstdlib>
#include <set>
#include "base/Mbcs.h"

namespace {

class OptsTest : public SettingsKeyTest {};
class StrListTest : public SettingsKeyTest {};
class ImageSetTest : public ImagesTest {};

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

// A call and its picture "set\NN" (.jpg), "" for none; its sequence then stores the picture
// index NN - 1 and the set's index among the sets in use (none found: nothing stored).
struct Call { int forScreenSaver; std::string pict; DWORD set; };

} // namespace

TEST_F(OptsTest, WithoutTheKeyOrItsValuesLoadGivesTheDefaults)
{
    Opts o;
    o.listSS.AddTail("1Kept");
    EXPECT_EQ(0, o.Load());
    EXPECT_EQ(kDefaults, Numbers(o));
    EXPECT_EQ(1, o.listSS.GetCount()) << "the lists are not touched";
    EXPECT_FALSE(RawExists(sub)) << "loading creates nothing";
    // Values of another kind; then a key that cannot be opened, where nothing is written either.
    RawSet(sub, "SS_TimeOut", REG_BINARY, "\x05\0\0\0", 4);
    RawSet(sub, "WP_count", REG_QWORD, "\x09\0\0\0\0\0\0\0", 8);
    for (int ready : {1, 0}) {
        o.dwOpts = o.dwTimeOut = o.dwWPChangeCount = 0;
        EXPECT_EQ(ready, o.Load());
        EXPECT_EQ(kDefaults, Numbers(o));
        identity->SetAppRootKey("HKNOWHERE\\Software\\Corvane");
    }
    EXPECT_EQ(0, o.Store());
}

// What a load read, a store writes back: every value of the record, both lists.
TEST_F(OptsTest, LoadThenStoreWritesTheSameValuesPlusBothLists)
{
    SetDword("Options", 0x30003);
    SetDword("SS_TimeOut", 25);
    SetDword("WP_change", 0xFFFFFFFF); // no unit selected
    SetDword("WP_count", 7);
    SetDword("SS_BlurEdges", 1);
    SetDword("WP_BlurEdges", 0);
    RawSet(sub, "SS", REG_BINARY, "1A\0" "0B\0\0", 7);
    const char* const names[] = {"Options", "SS_TimeOut", "WP_change", "WP_count", "SS_BlurEdges", "WP_BlurEdges", "SS"};
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
    EXPECT_EQ(8u, RawCounts(sub).second) << "the pace is never stored";
}

// Numbers stored by older copies or by hand come into range: taken as signed, below 1 as 1,
// above the range as its top.
TEST_F(OptsTest, StoredNumbersOutOfRangeLoadWithinIt)
{
    const struct {
        DWORD stored, seconds, count;
    } cases[] = {
        {0, 1, 1}, {0xFFFFFFFB, 1, 1}, {5, 5, 5}, {999, 999, 999}, {1000, 1000, 999},
        {86400, 86400, 999}, {86401, 86400, 999}, {4294968, 86400, 999}, {0x7FFFFFFF, 86400, 999},
    };
    for (const auto& c : cases) {
        SetDword("SS_TimeOut", c.stored);
        SetDword("WP_count", c.stored);
        Opts o;
        ASSERT_EQ(1, o.Load());
        EXPECT_EQ(c.seconds, o.dwTimeOut) << c.stored;
        EXPECT_EQ(c.count, o.dwWPChangeCount) << c.stored;
    }
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

// Sets without pictures (empty, a plain file, deleted) never stop the sequence while some
// set in use holds a picture.
TEST_F(ImageSetTest, SequencesAndTheirStoredPositions)
{
    const std::string p(120, 'P'), q(120, 'Q'), r(120, 'R');
    const struct Case {
        const char* what;
        std::vector<Disk> disk;
        Strs list;           // both lists; the wallpaper's stored position is 0, 0
        int random;          // the screen saver's random order
        DWORD pic; int set;  // the screen saver's stored position (set -1: none)
        std::vector<Call> calls;
    } cases[] = {
        {"two sets in list order; the wallpaper keeps its own position",
         {{"A", 1, 3}, {"B", 1, 3}}, {"1A", "1B"}, 0, 0, 0,
         {{1, "A\\02", 0}, {1, "A\\03", 0}, {0, "A\\02", 0}, {1, "B\\01", 1},
          {1, "B\\02", 1}, {1, "B\\03", 1}, {1, "A\\01", 0}, {0, "A\\03", 0}}},
        {"one picture in random order comes each time; the wallpaper stays in list order",
         {{"A", 1, 1}}, {"1A"}, 1, 0, 0, {{1, "A\\01", 0}, {1, "A\\01", 0}, {0, "A\\01", 0}}},
        {"a name with a semicolon counts as two sets; names joined longer than a path",
         {{"A", 1, 2}, {"X;Y", 1, 3}, {p, 1, 1}, {q, 1, 1}, {r, 1, 1}},
         {"1A", "1X;Y", "1" + p, "1" + q, "1" + r}, 0, 0, 0,
         {{1, "A\\02", 0}, {1, p + "\\01", 3}, {1, q + "\\01", 4}, {1, r + "\\01", 5},
          {1, "A\\01", 0}}},
        {"sets not in use and gaps are passed over; positions count the sets in use",
         {{"A", 1, 2}, {"A", 5, 5}, {"B", 1, 3}, {"C", 3, 3}}, {"1A", "0B", "1C"}, 0, 0, 0,
         {{1, "A\\02", 0}, {1, "A\\05", 0}, {1, "C\\03", 1}, {1, "A\\01", 0}}},
        {"a stored set past the sets in use starts at the first", {{"A", 1, 3}, {"B", 1, 3}},
         {"1A", "1B"}, 0, 1, 2, {{1, "A\\02", 0}}},
        {"the largest index wraps within its set", {{"A", 1, 3}, {"B", 1, 3}}, {"1A", "1B"}, 0,
         0xFFFFFFFF, 1, {{1, "B\\01", 1}}},
        {"an index past the last of the only set", {{"A", 2, 3}}, {"1A"}, 0, 77, 0,
         {{1, "A\\02", 0}, {1, "A\\03", 0}}},
        {"picture 50 is the last, also in a read folder", {{"A", 1, 1}, {"A", 50, 50}}, {"1A"}, 0,
         47, 0, {{1, "A\\50", 0}, {1, "A\\01", 0}}},
        {"an empty set after the full one", {{"A", 1, 6}, {"E", 1, 0}}, {"1A", "1E"}, 0, 0, -1,
         {{1, "A\\02", 0}, {1, "A\\03", 0}, {1, "A\\04", 0}, {1, "A\\05", 0}, {1, "A\\06", 0},
          {1, "A\\01", 0}, {1, "A\\02", 0}}},
        {"an empty set first", {{"A", 1, 3}, {"E", 1, 0}}, {"1E", "1A"}, 0, 0, -1,
         {{1, "A\\01", 1}, {1, "A\\02", 1}, {1, "A\\03", 1}, {1, "A\\01", 1}}},
        {"a plain file taken for a set", {{"desktop.ini", -1, 0}, {"A", 2, 3}},
         {"1A", "1desktop.ini"}, 0, 0, -1, {{1, "A\\02", 0}, {1, "A\\03", 0}, {1, "A\\02", 0}}},
        {"the other set deleted after the last picture", {{"A", 1, 10}}, {"1A", "1B"}, 0, 9, 0,
         {{1, "A\\01", 0}, {1, "A\\02", 0}}},
        {"the one picture is the one shown last", {{"A", 5, 5}, {"E", 1, 0}, {"F", 1, 0}},
         {"1E", "1A", "1F"}, 0, 4, 1, {{1, "A\\05", 1}, {1, "A\\05", 1}}},
        {"the start set deleted", {{"B", 7, 7}}, {"1A", "1B"}, 0, 3, 0,
         {{1, "B\\07", 1}, {1, "B\\07", 1}}},
        {"a stored index past the last picture", {{"A", 1, 2}, {"E", 1, 0}}, {"1A", "1E"}, 0, 77,
         0, {{1, "A\\01", 0}, {1, "A\\02", 0}, {1, "A\\01", 0}}},
        {"every set in use without pictures", {{"A", 1, 4}, {"E", 1, 0}, {"desktop.ini", -1, 0}},
         {"0A", "1E", "1desktop.ini", "1Gone"}, 0, 2, 1, {{1, "", 1}, {1, "", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LayOut(c.disk);
        SetList(opts.listSS, c.list);
        SetList(opts.listWP, c.list);
        SHDeleteValueA(HKEY_CURRENT_USER, sub.c_str(), Opts::pszSSLastPicInd);
        SHDeleteValueA(HKEY_CURRENT_USER, sub.c_str(), Opts::pszSSLastSetInd);
        if (c.set >= 0) {
            SetDword(Opts::pszSSLastPicInd, c.pic);
            SetDword(Opts::pszSSLastSetInd, c.set);
        }
        SetDword(Opts::pszWPLastPicInd, 0);
        SetDword(Opts::pszWPLastSetInd, 0);
        opts.Set(OPT_SS_RANDOM, c.random);
        srand(7);
        for (const Call& call : c.calls) {
            const std::string& pict = call.pict;
            const DWORD pic = pict.empty() ? c.pic : atoi(pict.c_str() + pict.size() - 2) - 1;
            EXPECT_EQ(pict.empty() ? "" : pict + ".jpg", Next(call.forScreenSaver));
            const bool ss = call.forScreenSaver;
            EXPECT_EQ(pic, Dword(ss ? Opts::pszSSLastPicInd : Opts::pszWPLastPicInd)) << pict;
            EXPECT_EQ(call.set, Dword(ss ? Opts::pszSSLastSetInd : Opts::pszWPLastSetInd)) << pict;
        }
    }
}

// Random order is a shuffle: each picture of the sets in use once per cycle, a new order
// each cycle, never the last of a cycle first in the next; a missing set and one not in use
// are passed over; the stored position names the picture shown.
TEST_F(ImageSetTest, RandomOrderShowsEachPictureOncePerCycle)
{
    LayOut({{"A", 2, 6}, {"B", 1, 3}, {"C", 1, 1}});
    SetList(opts.listSS, {"1A", "0C", "1Gone", "1B"});
    opts.Set(OPT_SS_RANDOM, 1);
    std::vector<Strs> cycles(40); // 39 turns: by chance alone one would open with the last
    for (Strs& cycle : cycles)
        for (int i = 0; i < 8; ++i) {
            cycle.push_back(Next());
            const std::string& pict = cycle.back();
            ASSERT_EQ(8u, pict.size()) << pict;
            EXPECT_EQ(static_cast<DWORD>(atoi(pict.c_str() + 2) - 1), Dword(Opts::pszSSLastPicInd));
            EXPECT_EQ(pict[0] == 'A' ? 0u : 2u, Dword(Opts::pszSSLastSetInd));
        }
    for (size_t c = 0; c < cycles.size(); ++c) {
        std::set<std::string> seen(cycles[c].begin(), cycles[c].end());
        EXPECT_EQ(8u, seen.size()) << "cycle " << c;
        EXPECT_EQ("A\\02.jpg", *seen.begin());
        if (c > 0) {
            EXPECT_NE(cycles[c - 1].back(), cycles[c].front()) << "cycle " << c;
        }
    }
    EXPECT_FALSE(cycles[0] == cycles[1] && cycles[1] == cycles[2]) << "the same order each cycle";
}

// On code page 932, 0x95 0x5C is one character whose trail byte is the code of "\": as a
// set name and in a caption it is kept whole, and a double-byte separator after the
// number goes as a whole character.
TEST_F(ImageSetTest, CaptionsComeFromTheFileNames)
{
    ASSERT_EQ(RunCodePage(), GetACP());
    const std::string set = IsMBCS() ? "\x95\x5C" : "A";
    std::string dir = home / "Images\\" + set;
    if (!CreateDirectoryA(dir.c_str(), nullptr))
        GTEST_SKIP() << "the file system cannot store this name (Wine needs the Unix locale, e.g. through LOCPATH)";
    const char* const files[][2] = {{"02.jpg", "jpg"}, {"03_Red_Cliffs.JPG", "Red Cliffs"},
                                    {"04_\x95\x5C_\x83\x7C.jpg", "\x95\x5C \x83\x7C"},
                                    {"05\x81\x5C\x95\x5C.jpg", "\x95\x5C"}};
    opts.UpdateImageLists();
    EXPECT_EQ((Strs{"1" + set}), Items(opts.listSS));
    for (int i = 0; i < (IsMBCS() ? 4 : 2); ++i) {
        ASSERT_TRUE(WriteGrayJpeg(dir + "\\" + files[i][0], 90));
        std::string caption;
        EXPECT_EQ(set + "\\" + files[i][0], Next(1, &caption));
        EXPECT_EQ(files[i][1], caption);
    }
}

// Each set folder is read once per call and the numbers matched in memory: the pictures come
// out as the platform's search for "NN*.jpg" finds them, whatever the names and the listing's
// order. (Every name sits at an odd number after an empty one: the first try of a call
// searches directly, the later ones match in memory.)
TEST_F(ImageSetTest, PicturesAreTheOnesTheSearchForEachNumberFinds)
{
    std::string set = home / "Images\\S";
    ASSERT_TRUE(CreateDirectoryA(set.c_str(), nullptr));
    for (const char* folder : {"05_dir.jpg", "19.jpg", "21"})
        ASSERT_TRUE(CreateDirectoryA((set + "\\" + folder).c_str(), nullptr));
    for (const char* file : {"01.jpg", "03_b.jpg", "03_a.jpg", "05_file.jpg", "07.JPG", "09_x.jpeg",
                             "11_x.jpg.txt", "8.jpg", "51.jpg", "00.jpg", "13_long name here.jpg",
                             "15_x.jpgx", "1O.jpg", "17..jpg", "21_a.b.jpg", "23jpg", "25_.jpg_", "27.jpg"})
        ASSERT_TRUE(WriteGrayJpeg(set + "\\" + file, 90));
    // What the search for each number finds first, from number 02 round to 01.
    Strs expected;
    for (int k = 1; k <= 50; ++k) {
        char pattern[16];
        wsprintfA(pattern, "\\%02d*.jpg", k % 50 + 1);
        WIN32_FIND_DATAA fd;
        HANDLE h = FindFirstFileA((set + pattern).c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        FindClose(h);
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            expected.push_back(std::string("S\\") + fd.cFileName);
    }
    ASSERT_GE(expected.size(), 6u);
    opts.listSS.AddTail("1S");
    opts.listSS.AddTail("1Gone");
    for (const std::string& e : expected)
        EXPECT_EQ(e, Next());
}
