// Image-set lists and the choice of the next picture on real folders.
//
// The library looks for "Images" beside its own file, so these tests run in a copy of
// the test program and VNT32.dll in a scratch folder (SelectionInProductCopy below starts
// it); in the build's test folder they are skipped. Each test lays out its own sets, with
// the settings in a private key and the machine-wide home-folder value in a private key
// too, so that the home folder is the copy's own folder.
#include "OptionsTestUtil.h"
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>
#include "base/Mbcs.h"
#include "options/Opts.h"

namespace {

const char kMarker[] = "ImageSetTest.here";

std::string Pict(const std::string& set, int n)
{
    char name[16];
    wsprintfA(name, "%02d.jpg", n);
    return set + "\\" + name;
}

class ImageSetTest : public SettingsKeyTest {
protected:
    std::string images;
    Opts opts;

    void SetUp() override
    {
        std::string folder = LibraryFolder();
        if (GetFileAttributesA((folder + "\\" + kMarker).c_str()) == INVALID_FILE_ATTRIBUTES)
            GTEST_SKIP() << "runs beside a copy of the library (SelectionInProductCopy)";
        SettingsKeyTest::SetUp();
        RawKey lm(sub + "\\lm", HKEY_CURRENT_USER, true);
        ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, lm.h));
        images = folder + "\\Images";
        RemoveTree(images);
        ASSERT_TRUE(CreateDirectoryA(images.c_str(), nullptr));
    }
    void TearDown() override
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        if (!images.empty())
            RemoveTree(images);
        SettingsKeyTest::TearDown();
    }

    std::string SetDir(const std::string& set) const { return images + "\\" + set; }

    // A set folder holding the pictures first to last ("NN.jpg").
    void MakeSet(const std::string& set, int first, int last)
    {
        ASSERT_TRUE(CreateDirectoryA(SetDir(set).c_str(), nullptr)) << set;
        for (int n = first; n <= last; ++n)
            ASSERT_TRUE(WriteGrayJpeg(images + "\\" + Pict(set, n), 40 + 4 * n));
    }

    static void SetList(StrList& list, std::vector<std::string> items)
    {
        list.RemoveAll();
        for (const std::string& item : items)
            list.AddTail(item.c_str());
    }
    static std::vector<std::string> Items(const StrList& list)
    {
        std::vector<std::string> items;
        for (POS__* pos = list.GetHeadPosition(); pos;)
            items.push_back(static_cast<const char*>(list.GetNext(pos)));
        return items;
    }

    // The next picture as "set\file" below the images folder ("" for none); the full
    // path must lie in the images folder.
    std::string Next(int forScreenSaver, std::string* caption = nullptr)
    {
        char path[520], text[520];
        memset(path, 'x', sizeof path);
        memset(text, 'x', sizeof text);
        opts.GetNextPict(forScreenSaver, path, text);
        if (caption)
            *caption = text;
        std::string p = path;
        if (p.empty()) {
            EXPECT_STREQ("", text) << "a caption without a picture";
            return p;
        }
        std::string prefix = images + "\\";
        EXPECT_EQ(0, lstrcmpiA(p.substr(0, prefix.size()).c_str(), prefix.c_str())) << p;
        EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path));
        return p.substr(prefix.size());
    }

    // Stored "LastPic,LastSet" of one sequence; "-" for a missing value.
    std::string Position(int forScreenSaver) const
    {
        const char* pic = forScreenSaver ? Opts::pszSSLastPicInd : Opts::pszWPLastPicInd;
        const char* set = forScreenSaver ? Opts::pszSSLastSetInd : Opts::pszWPLastSetInd;
        auto text = [this](const char* name) {
            return HasValue(name) ? std::to_string(Dword(name)) : std::string("-");
        };
        return text(pic) + "," + text(set);
    }
};

} // namespace

TEST_F(ImageSetTest, TwoSetsInListOrderRunThroughBothAndStartAgain)
{
    MakeSet("A", 1, 10);
    MakeSet("B", 1, 10);
    SetList(opts.listSS, {"1A", "1B"});
    // From nothing stored: A 02 to 10, B 01 to 10, then A 01 and 02 again.
    for (int i = 0; i < 21; ++i) {
        int k = (i + 1) % 20; // index in the 20 pictures of A then B
        EXPECT_EQ(Pict(k < 10 ? "A" : "B", k % 10 + 1), Next(1)) << "call " << i;
        EXPECT_EQ(std::to_string(k % 10) + (k < 10 ? ",0" : ",1"), Position(1));
    }
    EXPECT_EQ("-,-", Position(0)) << "the wallpaper's position is its own";
}

TEST_F(ImageSetTest, MissingSetsGiveNothingAndKeepThePosition)
{
    SetList(opts.listSS, {"1Gone"});
    EXPECT_EQ("", Next(1));
    SetList(opts.listWP, {});
    EXPECT_EQ("", Next(0));
    EXPECT_EQ(0u, RawValueCount(sub));
}

TEST_F(ImageSetTest, OneSetWithOnlyPictureOne)
{
    MakeSet("A", 1, 1);
    SetList(opts.listSS, {"1A"});
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(Pict("A", 1), Next(1));
        EXPECT_EQ("0,0", Position(1));
    }
    // In random order each draw avoids the index shown last, so nothing is ever found and
    // nothing is stored.
    opts.Set(OPT_SS_RANDOM, 1);
    srand(7);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ("", Next(1));
    EXPECT_EQ("0,0", Position(1));
    EXPECT_EQ(2u, RawValueCount(sub));
}


TEST_F(ImageSetTest, JoinedSetNamesWithSemicolonsOrOfGreatLength)
{
    MakeSet("A", 1, 2);
    MakeSet("X;Y", 1, 3);
    MakeSet("B", 1, 1);
    SetList(opts.listSS, {"1A", "1X;Y", "1B"});
    EXPECT_EQ(Pict("A", 2), Next(1));
    EXPECT_EQ(Pict("B", 1), Next(1));
    EXPECT_EQ("0,3", Position(1)) << "\"X;Y\" counts as the two sets X and Y";
    EXPECT_EQ(Pict("A", 1), Next(1));
    EXPECT_EQ(Pict("A", 2), Next(1));

    // Three names of 120 characters join to 362 characters: every set still takes its turn.
    std::vector<std::string> names;
    for (char c : {'P', 'Q', 'R'}) {
        names.push_back(std::string(120, c));
        MakeSet(names.back(), 1, 1);
    }
    SetList(opts.listSS, {"1" + names[0], "1" + names[1], "1" + names[2]});
    SetDword(Opts::pszSSLastPicInd, 0);
    SetDword(Opts::pszSSLastSetInd, 0);
    EXPECT_EQ(Pict(names[1], 1), Next(1));
    EXPECT_EQ(Pict(names[2], 1), Next(1));
    EXPECT_EQ("0,2", Position(1));
    EXPECT_EQ(Pict(names[0], 1), Next(1));
}

TEST_F(ImageSetTest, ListUpdatesFollowTheSetsOnDisk)
{
    MakeSet("A", 1, 2);
    MakeSet("B", 1, 1);
    MakeSet("C", 1, 1);
    // Order and state are kept; new sets come first, in use; what is no set goes.
    SetList(opts.listWP, {"0c", "1A", "1Gone", "1", "1..", "1A\\..\\B", "0."});
    SetList(opts.listSS, {"1A", "0B", "0C"});
    opts.UpdateImageLists();
    EXPECT_EQ((std::vector<std::string>{"1B", "0c", "1A"}), Items(opts.listWP));
    EXPECT_EQ((std::vector<std::string>{"1A", "0B", "0C"}), Items(opts.listSS));
    // A restored set comes back at the head, in use.
    RemoveTree(SetDir("B"));
    opts.UpdateImageLists();
    EXPECT_EQ((std::vector<std::string>{"1A", "0C"}), Items(opts.listSS));
    MakeSet("B", 1, 1);
    opts.UpdateImageLists();
    EXPECT_EQ((std::vector<std::string>{"1B", "1A", "0C"}), Items(opts.listSS));

    // A plain file in Images is listed as a set and skipped.
    RemoveTree(SetDir("B"));
    RemoveTree(SetDir("C"));
    ASSERT_TRUE(WriteFileBytes(images + "\\Notes.txt", "n", 1));
    SetList(opts.listSS, {"1A"});
    opts.UpdateImageLists();
    EXPECT_EQ((std::vector<std::string>{"1Notes.txt", "1A"}), Items(opts.listSS));
    EXPECT_EQ(Pict("A", 1), Next(1));
    EXPECT_EQ("0,1", Position(1));

    // Without the images folder both lists empty.
    RemoveTree(images);
    opts.UpdateImageLists();
    EXPECT_EQ(0, opts.listSS.GetCount() + opts.listWP.GetCount());
    SetList(opts.listSS, {"1A"});
    EXPECT_EQ("", Next(1));
}

TEST_F(ImageSetTest, CaptionsComeFromTheFileNames)
{
    CreateDirectoryA(SetDir("A").c_str(), nullptr);
    ASSERT_TRUE(WriteGrayJpeg(SetDir("A") + "\\05.jpg", 90));
    ASSERT_TRUE(WriteGrayJpeg(SetDir("A") + "\\06_Red_Cliffs.JPG", 120));
    SetList(opts.listSS, {"1A"});
    SetDword(Opts::pszSSLastPicInd, 3);
    std::string caption;
    EXPECT_EQ("A\\05.jpg", Next(1, &caption));
    EXPECT_EQ("jpg", caption);
    EXPECT_EQ("A\\06_Red_Cliffs.JPG", Next(1, &caption));
    EXPECT_EQ("Red Cliffs", caption);
}

// On code page 932, 0x95 0x5C is one character whose trail byte is the code of "\": as a
// set name and in a caption it is kept whole. (On code page 1252 these names cannot exist.)
TEST_F(ImageSetTest, DoubleByteSetAndCaption)
{
    ASSERT_EQ(RunCodePage(), GetACP());
    if (!IsMBCS())
        GTEST_SKIP() << "needs a double-byte code page";
    const std::string set = "\x95\x5C";
    if (!CreateDirectoryA(SetDir(set).c_str(), nullptr))
        GTEST_SKIP() << "the file system cannot store this name here (under Wine the Unix "
                        "locale must exist, e.g. through LOCPATH)";
    ASSERT_TRUE(WriteGrayJpeg(SetDir(set) + "\\02_\x95\x5C_\x83\x7C.jpg", 90));
    ASSERT_TRUE(WriteGrayJpeg(SetDir(set) + "\\03\x81\x5C\x95\x5C.jpg", 90));
    opts.UpdateImageLists();
    EXPECT_EQ((std::vector<std::string>{"1" + set}), Items(opts.listSS));
    std::string caption;
    EXPECT_EQ(set + "\\02_\x95\x5C_\x83\x7C.jpg", Next(1, &caption));
    EXPECT_EQ("\x95\x5C \x83\x7C", caption);
    // A double-byte separator after the number goes as a whole character.
    EXPECT_EQ(set + "\\03\x81\x5C\x95\x5C.jpg", Next(1, &caption));
    EXPECT_EQ("\x95\x5C", caption);
}

TEST_F(ImageSetTest, ScreenSaverAndWallpaperKeepTheirOwnPositions)
{
    MakeSet("A", 1, 6);
    SetList(opts.listSS, {"1A"});
    SetList(opts.listWP, {"1A"});
    EXPECT_EQ(Pict("A", 2), Next(1));
    EXPECT_EQ(Pict("A", 3), Next(1));
    EXPECT_EQ(Pict("A", 4), Next(1));
    EXPECT_EQ(Pict("A", 2), Next(0));
    EXPECT_EQ(Pict("A", 5), Next(1));
    EXPECT_EQ(Pict("A", 3), Next(0));
    EXPECT_EQ("4,0", Position(1));
    EXPECT_EQ("2,0", Position(0));
    // The screen saver's random flag leaves the wallpaper in list order.
    opts.Set(OPT_SS_RANDOM, 1);
    EXPECT_EQ(Pict("A", 4), Next(0));
}

TEST_F(ImageSetTest, RandomDrawsNeverRepeatTheLastIndex)
{
    MakeSet("A", 1, 50);
    MakeSet("B", 1, 50);
    MakeSet("C", 1, 1);
    // A set missing among others is passed over; a set not in use is never drawn.
    SetList(opts.listSS, {"1A", "0C", "1Gone", "1B"});
    opts.Set(OPT_SS_RANDOM, 1);
    srand(12345);
    std::set<std::string> sets;
    std::set<int> indexes;
    for (int i = 0; i < 100; ++i) {
        DWORD last = Dword(Opts::pszSSLastPicInd, 0);
        std::string pict = Next(1);
        ASSERT_EQ(8u, pict.size()) << "call " << i << ": " << pict;
        int index = atoi(pict.c_str() + 2) - 1;
        EXPECT_NE(static_cast<int>(last), index) << "call " << i;
        EXPECT_EQ(std::to_string(index) + (pict[0] == 'A' ? ",0" : ",2"), Position(1));
        sets.insert(pict.substr(0, 1));
        indexes.insert(index);
    }
    EXPECT_EQ(2u, sets.size());
    EXPECT_GT(indexes.size(), 30u);
}

TEST_F(ImageSetTest, SetsNotInUseAndGapsAreSkippedOverSeveralSets)
{
    MakeSet("A", 1, 2);
    ASSERT_TRUE(WriteGrayJpeg(images + "\\" + Pict("A", 5), 90));
    MakeSet("B", 1, 3);
    ASSERT_TRUE(CreateDirectoryA(SetDir("C").c_str(), nullptr));
    ASSERT_TRUE(WriteGrayJpeg(images + "\\" + Pict("C", 3), 90));
    SetList(opts.listSS, {"1A", "0B", "1C"});
    const char* const expected[][2] = {{"A\\02.jpg", "1,0"}, {"A\\05.jpg", "4,0"}, {"C\\03.jpg", "2,1"},
                                       {"A\\01.jpg", "0,0"}, {"A\\02.jpg", "1,0"}};
    for (const auto& e : expected) {
        EXPECT_EQ(e[0], Next(1));
        EXPECT_EQ(e[1], Position(1)) << "set positions count the sets in use only";
    }
}

TEST_F(ImageSetTest, StoredPositionsOutOfRange)
{
    MakeSet("A", 1, 3);
    MakeSet("B", 1, 3);
    SetList(opts.listSS, {"1A", "1B"});
    // A set position past the sets in use starts again from the first set.
    SetDword(Opts::pszSSLastPicInd, 1);
    SetDword(Opts::pszSSLastSetInd, 2);
    EXPECT_EQ(Pict("A", 2), Next(1));
    // The largest index wraps to picture 01 of the same set.
    SetDword(Opts::pszSSLastPicInd, 0xFFFFFFFF);
    SetDword(Opts::pszSSLastSetInd, 1);
    EXPECT_EQ(Pict("B", 1), Next(1));
    // One set: picture 50 is the last; an index of 50 or more starts again at picture 01.
    ASSERT_TRUE(WriteGrayJpeg(images + "\\" + Pict("A", 50), 90));
    SetList(opts.listSS, {"1A"});
    SetDword(Opts::pszSSLastPicInd, 48);
    SetDword(Opts::pszSSLastSetInd, 0);
    EXPECT_EQ(Pict("A", 50), Next(1));
    EXPECT_EQ("49,0", Position(1));
    SetDword(Opts::pszSSLastPicInd, 50);
    EXPECT_EQ(Pict("A", 1), Next(1));
    EXPECT_EQ("0,0", Position(1));
    SetList(opts.listSS, {"1A", "1B"});
    // A position stored as text reads as nothing stored.
    RawSetStr(sub, Opts::pszSSLastPicInd, "2");
    SetDword(Opts::pszSSLastSetInd, 0);
    EXPECT_EQ(Pict("A", 2), Next(1));
}

// Starts the tests above in a copy of this program beside a copy of VNT32.dll, where they
// lay out their image sets in the copy's own "Images" folder.
TEST(SelectionInProductCopy, ImageSetTestsPassBesideTheirOwnImages)
{
    ScratchDir dir("vntsel");
    ASSERT_TRUE(CopyFileA((TestDir() + "\\test_options.exe").c_str(), (dir / "test_options.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((TestDir() + "\\VNT32.dll").c_str(), (dir / "VNT32.dll").c_str(), FALSE));
    ASSERT_TRUE(WriteFileBytes(dir / kMarker, "", 0));
    std::string xml = dir / "result.xml";
    ChildProcess child;
    ASSERT_TRUE(child.Start("\"" + (dir / "test_options.exe") + "\" --gtest_filter=ImageSetTest.* --gtest_output=xml:" + xml,
                            dir.Path()));
    ASSERT_TRUE(child.Wait(300000));
    EXPECT_EQ(0u, child.ExitCode());

    // Every case ran; only the double-byte one may be skipped.
    std::ifstream in(xml);
    std::stringstream text;
    text << in.rdbuf();
    std::string report = text.str();
    int completed = 0;
    for (size_t at = report.find("result=\"completed\""); at != std::string::npos; at = report.find("result=\"completed\"", at + 1))
        completed++;
    int total = 0;
    for (int i = 0; i < ::testing::UnitTest::GetInstance()->total_test_suite_count(); ++i)
        if (std::string(::testing::UnitTest::GetInstance()->GetTestSuite(i)->name()) == "ImageSetTest")
            total = ::testing::UnitTest::GetInstance()->GetTestSuite(i)->total_test_count();
    EXPECT_GE(completed, total - 1) << report;
}
