// A call in list order completes its cycle: sets without pictures (empty, a plain file,
// deleted) never stop the sequence while some set in use still holds a picture.
// The home folder, and with it "Images", is a scratch folder named by a private "Home".
#include "OptionsTestUtil.h"
#include <vector>
#include "options/Opts.h"

namespace {

struct Disk {
    const char* name;
    int first, last; // pictures "NN.jpg"; last 0: an empty folder; first -1: a plain file
};

struct CycleCase {
    const char* what;
    std::vector<Disk> disk;
    std::vector<std::string> list;
    int lastPic, lastSet; // the stored position; -1: nothing stored
    std::vector<std::string> expected; // "set\NN" (.jpg) per call, "" for none
};

class NextPictCycleTest : public SettingsKeyTest {
protected:
    ScratchDir home{"vntcycle"};
    Opts opts;

    void SetUp() override
    {
        SettingsKeyTest::SetUp();
        RawSetStr(sub + "\\lm\\Software\\Corvane\\Vantora\\Setup", "Home", home.Path().c_str());
        RawKey lm(sub + "\\lm", HKEY_CURRENT_USER, false);
        ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, lm.h));
    }
    void TearDown() override
    {
        RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        SettingsKeyTest::TearDown();
    }

    void Lay(const Disk& d)
    {
        std::string path = home / "Images" + "\\" + d.name;
        if (d.first < 0) {
            ASSERT_TRUE(WriteFileBytes(path, "[x]", 3));
            return;
        }
        ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
        for (int n = d.first; n <= d.last && n > 0; ++n) {
            char name[16];
            wsprintfA(name, "\\%02d.jpg", n);
            ASSERT_TRUE(WriteGrayJpeg(path + name, 90));
        }
    }

    // "set\file" of the next screen-saver picture, "" for none.
    std::string Next()
    {
        char path[520], caption[520];
        opts.GetNextPict(1, path, caption);
        std::string p = path;
        std::string images = home / "Images\\";
        return p.compare(0, images.size(), images) == 0 ? p.substr(images.size()) : p;
    }
};

} // namespace

TEST_F(NextPictCycleTest, SetsWithoutPicturesNeverStopTheSequence)
{
    const CycleCase cases[] = {
        {"an empty set after the only full one", {{"Flowers", 1, 6}, {"Empty", 1, 0}},
         {"1Flowers", "1Empty"}, -1, -1,
         {"Flowers\\02", "Flowers\\03", "Flowers\\04", "Flowers\\05", "Flowers\\06", "Flowers\\01", "Flowers\\02"}},
        {"an empty set first", {{"Flowers", 1, 3}, {"Empty", 1, 0}},
         {"1Empty", "1Flowers"}, -1, -1, {"Flowers\\01", "Flowers\\02", "Flowers\\03", "Flowers\\01"}},
        {"a plain file taken for a set", {{"desktop.ini", -1, 0}, {"A", 2, 3}},
         {"1A", "1desktop.ini"}, -1, -1, {"A\\02", "A\\03", "A\\02"}},
        {"the other set deleted after the last picture", {{"A", 1, 10}},
         {"1A", "1B"}, 9, 0, {"A\\01", "A\\02"}},
        {"the one picture is the one shown last", {{"A", 5, 5}, {"E", 1, 0}, {"F", 1, 0}},
         {"1E", "1A", "1F"}, 4, 1, {"A\\05", "A\\05"}},
        {"the start set deleted", {{"B", 7, 7}},
         {"1A", "1B"}, 3, 0, {"B\\07", "B\\07"}},
        {"a stored index past the last picture", {{"A", 1, 2}, {"E", 1, 0}},
         {"1A", "1E"}, 77, 0, {"A\\01", "A\\02", "A\\01"}},
        {"every set in use without pictures", {{"A", 1, 4}, {"E", 1, 0}, {"desktop.ini", -1, 0}},
         {"0A", "1E", "1desktop.ini", "1Gone"}, 2, 1, {"", ""}},
    };
    for (const CycleCase& c : cases) {
        SCOPED_TRACE(c.what);
        RemoveTree(home / "Images");
        ASSERT_TRUE(CreateDirectoryA((home / "Images").c_str(), nullptr));
        for (const Disk& d : c.disk)
            Lay(d);
        opts.listSS.RemoveAll();
        for (const std::string& item : c.list)
            opts.listSS.AddTail(item.c_str());
        SHDeleteValueA(HKEY_CURRENT_USER, sub.c_str(), Opts::pszSSLastPicInd);
        SHDeleteValueA(HKEY_CURRENT_USER, sub.c_str(), Opts::pszSSLastSetInd);
        if (c.lastPic >= 0) {
            SetDword(Opts::pszSSLastPicInd, c.lastPic);
            SetDword(Opts::pszSSLastSetInd, c.lastSet);
        }
        for (size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(c.expected[i].empty() ? "" : c.expected[i] + ".jpg", Next()) << "call " << i;
        if (c.expected.back().empty()) {
            EXPECT_EQ(static_cast<DWORD>(c.lastPic), Dword(Opts::pszSSLastPicInd)) << "a failed call stores nothing";
            EXPECT_EQ(static_cast<DWORD>(c.lastSet), Dword(Opts::pszSSLastSetInd));
        }
    }
}

