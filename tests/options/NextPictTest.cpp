// The choice of the next picture on real folders: a call in list order completes its
// cycle, so sets without pictures (empty, a plain file, deleted) never stop the sequence
// while some set in use holds a picture; and the files chosen are the ones a search for
// each number finds.
#include "OptionsTestUtil.h"
#include <vector>
#include "options/Opts.h"

namespace {

struct CycleCase {
    const char* what;
    std::vector<Disk> disk;
    std::vector<std::string> list;
    int lastPic, lastSet; // the stored position; -1: nothing stored
    std::vector<std::string> expected; // "set\NN" (.jpg) per call, "" for none
};

class NextPictCycleTest : public ImagesTest {};

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
        LayOut(c.disk);
        SetList(opts.listSS, c.list);
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

// Each set folder is read once per call and the numbers matched in memory: the pictures
// come out as the platform's own search for "NN*.jpg" finds them, one number at a time,
// whatever the names and the order of the directory listing. (Every name sits at an odd
// number after an empty one: the first try of a call searches directly, the later ones
// match in memory.)
TEST_F(NextPictCycleTest, PicturesAreTheOnesTheSearchForEachNumberFinds)
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
    std::vector<std::string> expected;
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
