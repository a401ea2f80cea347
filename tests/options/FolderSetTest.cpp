// Folder sets on real trees: what a walk shows and in which order, the index following the
// disk, captions from EXIF dates, the lists keeping folder sets, and the shuffle going on
// across processes.
#include "OptionsTestUtil.h"
#include "../picture/PictureTestUtil.h"
#include <shlobj.h>
#include <fstream>
#include <set>
#include "base/FwHandle.h"
#include "base/Path.h"
#include "options/ImageSetInfo.h"

namespace {

// An APP1 segment with the dates given ("" for none): DateTime in the first directory,
// DateTimeOriginal (without a date: another tag) in the EXIF directory it points to.
std::string ExifSegment(const std::string& original, const std::string& plain)
{
    const unsigned exif = 8 + 30, data = exif + 18; // where that directory and the dates start
    auto text = [](const std::string& d) { return d.empty() ? std::string(20, 'x') : d + '\0'; };
    std::string body = Exif(false, {{0x0132, 2, 20, plain.empty() ? 0xFFFF : data + 20},
                                    {0x8769, 4, 1, exif}}) +
                       Exif(false, {{original.empty() ? 0x9999u : 0x9003u, 2, 20, data}}).substr(14) +
                       text(original) + text(plain);
    size_t len = body.size() + 2;
    return std::string("\xFF\xE1", 2) + char(len >> 8) + char(len & 0xFF) + body;
}

// Makes entries below root: "name\" a folder, "+name\" a hidden folder, a name ending in
// ".txt" some text, any other a small JPEG.
void Make(const std::string& root, const Strs& entries)
{
    for (const std::string& e : entries) {
        bool hidden = e[0] == '+';
        std::string path = root + "\\" + e.substr(hidden);
        if (path.back() == '\\') {
            path.pop_back();
            ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr)) << path;
            if (hidden)
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
        } else if (path.size() > 4 && path.compare(path.size() - 4, 4, ".txt") == 0) {
            ASSERT_TRUE(WriteFileBytes(path, "text", 4));
        } else {
            ASSERT_TRUE(WriteGrayJpeg(path, 100)) << path;
        }
    }
}

// The Unix path of a file or folder, "" when Wine does not say.
std::string UnixPath(const std::string& path)
{
    typedef char*(CDECL * UnixName)(LPCWSTR);
    auto unixName = reinterpret_cast<UnixName>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name"));
    WCHAR wide[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        return std::string();
    char* name = unixName(wide);
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// A Unix symbolic link at link to target (Wine starts Unix programs as its own); false
// where that cannot be made.
bool MakeSymlink(const std::string& target, const std::string& link)
{
    std::string from = target[0] == '/' ? target : UnixPath(target), to = UnixPath(link);
    if (from.empty() || to.empty())
        return false;
    std::string cmd = "ln -s \"" + from + "\" \"" + to + "\"";
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi;
    if (!CreateProcessA("Z:\\bin\\ln", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    FwHandle process(pi.hProcess), thread(pi.hThread);
    // Wine gives no exit code of a Unix program: the link is the result.
    return WaitFor([&] { return GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000);
}

// Folder sets below a scratch folder; the set's own folder is named "2019 Lisbon".
class FolderSetTest : public ImagesTest {
protected:
    ScratchDir scratch{"vntfs"};
    // Unique across runs too: an index of an earlier run must not describe it.
    std::string root = scratch / (std::to_string(GetTickCount()) + "\\2019 Lisbon");

    void SetUp() override
    {
        ImagesTest::SetUp();
        ASSERT_TRUE(CreateDirectoryA(root.substr(0, root.rfind('\\')).c_str(), nullptr));
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    }
    // The path below root of the next picture ("" for none), or the numbered one as Next gives it.
    std::string NextRel(int forScreenSaver = 1, std::string* caption = nullptr)
    {
        std::string p = Next(forScreenSaver, caption);
        return p.compare(0, root.size() + 1, root + "\\") == 0 ? p.substr(root.size() + 1) : p;
    }
    // Pictures in list order from the first of the first set, until the first comes again.
    Strs Cycle()
    {
        SetDword(Opts::pszSSLastPicInd, 0xFFFFFFFF); // the next is index 0
        SetDword(Opts::pszSSLastSetInd, 0);
        Strs seen;
        for (std::string p = NextRel(); seen.size() < 60 && (seen.empty() || p != seen[0]); p = NextRel())
            seen.push_back(p);
        return seen;
    }
    bool CountComes(const std::string& item, long n)
    {
        return WaitFor([&] { return CountSetPictures(item.c_str()) == n; });
    }
};

// The program itself, started with a filter that runs one disabled test: picks as the
// environment asks.
void RunPicker(const std::string& key, const std::string& picks, const std::string& out)
{
    SetEnvironmentVariableA("VNT_PICK_KEY", key.c_str());
    SetEnvironmentVariableA("VNT_PICKS", picks.c_str());
    SetEnvironmentVariableA("VNT_PICK_OUT", out.c_str());
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    ChildProcess child;
    ASSERT_TRUE(child.Start(std::string("\"") + exe +
                            "\" --gtest_also_run_disabled_tests --gtest_filter=FolderSetPicker.DISABLED_Pick"));
    ASSERT_TRUE(child.Wait(60000));
    EXPECT_EQ(0u, child.ExitCode());
}

} // namespace

// Camera names in nested folders: the folder's own pictures first, subfolders depth first,
// natural order (digits as numbers, letters without case); hidden folders, caches and other
// files passed over; a link back to the top adds no picture twice.
TEST_F(FolderSetTest, WalkShowsEveryJpegInListOrder)
{
    Make(root, {"IMG_10.JPG", "IMG_2.jpg", "DSC01234.jpeg", "20190312_141502.jpe", "notes.txt", "Sub B\\",
                "Sub B\\img_1.jpg", "sub a\\", "sub a\\deeper\\", "sub a\\deeper\\y.jpg", "sub a\\x.jpg",
                ".thumbnails\\", ".thumbnails\\t.jpg", "@eaDir\\", "@eaDir\\e.jpg", "$RECYCLE.BIN\\",
                "$RECYCLE.BIN\\r.jpg", "+Private\\", "+Private\\p.jpg", "a.jpg.txt\\", "a.jpg.txt\\in.jpg"});
    // A folder that cannot be listed (a link to a folder the system refuses, where it
    // can be made) comes before the subfolders; the walk goes on past it. Wine makes no
    // junctions (FSCTL_SET_REPARSE_POINT is not supported): the loop is a symbolic link.
    MakeSymlink("/proc/1/fdinfo", root + "\\m unreadable");
    ASSERT_TRUE(MakeSymlink(root, root + "\\Sub B\\loop"));
    // A name the code page may not spell comes by a name that reaches it, or not at all.
    Make(root, {"zz\\"});
    const std::wstring wide = std::wstring(root.begin(), root.end()) + L"\\zz\\\u65E5\u672C.jpg";
    ASSERT_TRUE(CopyFileW(std::wstring(root.begin(), root.end()).append(L"\\IMG_2.jpg").c_str(), wide.c_str(), TRUE));
    SetList(opts.listSS, {"1" + root});
    Strs cycle = Cycle();
    ASSERT_GE(cycle.size(), 8u);
    EXPECT_EQ((Strs{"20190312_141502.jpe", "DSC01234.jpeg", "IMG_2.jpg", "IMG_10.JPG", "a.jpg.txt\\in.jpg",
                    "sub a\\x.jpg", "sub a\\deeper\\y.jpg", "Sub B\\img_1.jpg"}),
              Strs(cycle.begin(), cycle.begin() + 8));
    for (size_t i = 8; i < cycle.size(); ++i)
        EXPECT_TRUE(cycle[i].find('?') == std::string::npos && FileExists((root + "\\" + cycle[i]).c_str()))
            << cycle[i];
    EXPECT_LE(cycle.size(), 9u);
    EXPECT_TRUE(CountComes("1" + root, static_cast<long>(cycle.size())));
}

// Deleted pictures are passed over at once; new ones and a folder that went away and came
// back are noticed at the next list update.
TEST_F(FolderSetTest, IndexFollowsTheDisk)
{
    LayOut({{"A", 1, 2}});
    Make(root, {"p1.jpg", "p2.jpg", "p3.jpg"});
    const std::string item = "1" + root;
    SetList(opts.listSS, {item});
    EXPECT_EQ((Strs{"p1.jpg", "p2.jpg", "p3.jpg"}), Cycle());
    ASSERT_TRUE(DeleteFileA((root + "\\p2.jpg").c_str()));
    for (int i = 0; i < 4; ++i)
        EXPECT_NE("p2.jpg", NextRel()) << "a deleted picture";
    Make(root, {"p4.jpg", "p5.jpg"});
    opts.UpdateImageLists();
    SetList(opts.listSS, {item});
    ASSERT_TRUE(CountComes(item, 4));
    EXPECT_EQ((Strs{"p1.jpg", "p3.jpg", "p4.jpg", "p5.jpg"}), Cycle());
    const std::string away = root + " away";
    ASSERT_TRUE(MoveFileA(root.c_str(), away.c_str()));
    SetList(opts.listSS, {item, "0" + root + "\\x", "1A"});
    opts.UpdateImageLists();
    EXPECT_EQ((Strs{item, "0" + root + "\\x", "1A"}), Items(opts.listSS)) << "folder sets stay while away";
    EXPECT_EQ(-1, CountSetPictures(item.c_str()));
    EXPECT_EQ((Strs{"A\\01.jpg", "A\\02.jpg"}), Cycle());
    ASSERT_TRUE(MoveFileA(away.c_str(), root.c_str()));
    opts.UpdateImageLists();
    ASSERT_TRUE(CountComes(item, 4));
    EXPECT_EQ((Strs{"p1.jpg", "p3.jpg", "p4.jpg", "p5.jpg", "A\\01.jpg", "A\\02.jpg"}), Cycle());
}

// "<folder>, <long date>" from DateTimeOriginal, else DateTime; without a date the file
// name; damaged EXIF data is no date.
TEST_F(FolderSetTest, CaptionsTellFolderAndDayTaken)
{
    const struct { const char *file, *original, *plain, *caption; WORD y, m, d; } cases[] = {
        {"IMG_0001.JPG", "2019:03:12 14:15:02", "2020:01:01 00:00:00", "2019 Lisbon", 2019, 3, 12},
        {"Porto\\Beach_Day_2.jpeg", "", "", "Beach Day 2", 0, 0, 0},
        {"Porto\\DSC_0002.jpg", "", "2018:07:04 09:00:00", "Porto", 2018, 7, 4},
        {"Porto\\x_bad.jpg", "2019:02:30 10:00:00", "2019:13:01 10:00:00", "x bad", 0, 0, 0},
    };
    Make(root, {"Porto\\"});
    for (const auto& c : cases) {
        std::string jpeg = scratch / "plain.jpg";
        ASSERT_TRUE(WriteGrayJpeg(jpeg, 50));
        std::string bytes = ReadAll(jpeg);
        bytes.insert(2, ExifSegment(c.original, c.plain));
        ASSERT_TRUE(WriteFileBytes(root + "\\" + c.file, bytes.data(), bytes.size()));
    }
    SetList(opts.listSS, {"1" + root});
    SetDword(Opts::pszSSLastPicInd, 0xFFFFFFFF);
    for (const auto& c : cases) {
        std::string caption, expected = c.caption;
        if (c.y) {
            SYSTEMTIME st = {c.y, c.m, 0, c.d};
            char date[128];
            ASSERT_TRUE(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &st, nullptr, date, sizeof date));
            expected += std::string(", ") + date;
        }
        EXPECT_EQ(c.file, NextRel(1, &caption));
        EXPECT_EQ(expected, caption);
    }
}

// Order and state are kept; new sets come first, in use; what is no set goes; folder sets
// stay, found or not, with their state and place, also without the images folder.
TEST_F(FolderSetTest, ListsKeepFolderSets)
{
    LayOut({{"A", 1, 2}, {"B", 3, 3}, {"C", 1, 1}});
    Make(root, {"1.jpg", "x\\", "x\\2.jpg"});
    const std::string missing = "1Z:\\no such drive\\Photos", share = "1\\\\server\\share\\Photos;2019";
    SetList(opts.listWP,
            {missing, "0c", "0" + root, "1A", "1Gone", "1", "1..", "1A\\..\\B", "0.", share});
    SetList(opts.listSS, {"1A", "0B", "0C"});
    opts.UpdateImageLists();
    EXPECT_EQ((Strs{"1B", missing, "0c", "0" + root, "1A", share}), Items(opts.listWP));
    EXPECT_EQ((Strs{"1A", "0B", "0C"}), Items(opts.listSS));
    const struct { const char* name; bool folder; } names[] = {
        {"C:\\Photos", true}, {"c:\\", true}, {"\\\\server\\share", true}, {"Photos", false},
        {"C:Photos", false}, {"\\\\", false}, {"\\Photos", false}, {"", false},
    };
    for (const auto& n : names)
        EXPECT_EQ(n.folder, IsFolderSetName(n.name)) << n.name;
    EXPECT_EQ(2, CountSetPictures("1A"));
    EXPECT_EQ(1, CountSetPictures("0B"));
    EXPECT_EQ(-1, CountSetPictures("1Gone"));
    EXPECT_EQ(-1, CountSetPictures(missing.c_str()));
    EXPECT_TRUE(CountComes("0" + root, 2));
    RemoveTree(home / "Images");
    opts.UpdateImageLists();
    EXPECT_EQ((Strs{missing, "0" + root, share}), Items(opts.listWP));
    EXPECT_EQ(0, opts.listSS.GetCount());
}

// Random order over a numbered and a folder set, picked by three processes in turn after
// the index was damaged: each picture once per cycle, never twice at the turn; the
// wallpaper's cycle is its own.
TEST_F(FolderSetTest, ShuffleGoesOnAcrossProcesses)
{
    LayOut({{"B", 1, 4}});
    Make(root, {"f1.jpg", "f2.jpg", "s\\", "s\\f3.jpg", "s\\f4.jpg", "s\\f5.jpg", "f6.jpg"});
    const std::string item = "1" + root;
    ASSERT_TRUE(CountComes(item, 6)) << "indexed and written";
    char appData[MAX_PATH];
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, appData));
    const std::string indexDir = std::string(appData) + "\\Vantora\\";
    Strs indexes; // those of the set
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((indexDir + "Index-*.dat").c_str(), &fd);
    for (bool more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
        if (ReadAll(indexDir + fd.cFileName).find(root) != std::string::npos)
            indexes.push_back(indexDir + fd.cFileName);
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    ASSERT_EQ(1u, indexes.size()) << "the index of the set";
    const std::string original = ReadAll(indexes[0]);
    std::string damaged = original;
    damaged[damaged.size() / 2] ^= 0x55;
    ASSERT_TRUE(WriteFileBytes(indexes[0], damaged.data(), damaged.size()));
    SetList(opts.listSS, {item, "1B"});
    SetList(opts.listWP, {item, "1B"});
    opts.listSS.Store();
    opts.listWP.Store();
    SetDword("Options", OPT_SS_RANDOM | OPT_WP_RANDOM);
    const std::string out = scratch / "picks.txt";
    for (const char* picks : {"s4", "s8w10", "s8"})
        RunPicker(path, picks, out);
    Strs ss, wp;
    std::ifstream in(out);
    for (std::string line; std::getline(in, line);)
        (line[0] == 'S' ? ss : wp).push_back(line.substr(2));
    ASSERT_EQ(20u, ss.size());
    ASSERT_EQ(10u, wp.size());
    const std::set<std::string> all = {home / "Images\\B\\01.jpg", home / "Images\\B\\02.jpg",
                                       home / "Images\\B\\03.jpg", home / "Images\\B\\04.jpg",
                                       root + "\\f1.jpg", root + "\\f2.jpg", root + "\\f6.jpg",
                                       root + "\\s\\f3.jpg", root + "\\s\\f4.jpg", root + "\\s\\f5.jpg"};
    EXPECT_EQ(all, std::set<std::string>(ss.begin(), ss.begin() + 10));
    EXPECT_EQ(all, std::set<std::string>(ss.begin() + 10, ss.end()));
    EXPECT_EQ(all, std::set<std::string>(wp.begin(), wp.end()));
    EXPECT_NE(ss[9], ss[10]) << "the last of a cycle first in the next";
    EXPECT_NE(Strs(ss.begin(), ss.begin() + 10), Strs(ss.begin() + 10, ss.end()));
    std::string now = ReadAll(indexes[0]);
    EXPECT_TRUE(now.size() == original.size() && now != damaged && now.compare(0, 8, original, 0, 8) == 0)
        << "the damaged index walked and written anew";
}

// Run by ShuffleGoesOnAcrossProcesses in a process of its own: the settings key and the
// machine-wide root (for the home folder) of that test, once every set is counted.
TEST(FolderSetPicker, DISABLED_Pick)
{
    char key[MAX_PATH], picks[64], out[MAX_PATH];
    ASSERT_TRUE(GetEnvironmentVariableA("VNT_PICK_KEY", key, sizeof key) &&
                GetEnvironmentVariableA("VNT_PICKS", picks, sizeof picks) &&
                GetEnvironmentVariableA("VNT_PICK_OUT", out, sizeof out));
    RawKey lm(std::string(key + 5) + "\\lm", HKEY_CURRENT_USER, false);
    ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, lm.h));
    AppInfo identity(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora", "VNT.hlp", 0, 0);
    identity.SetAppRootKey(key);
    Opts opts;
    ASSERT_TRUE(opts.Load());
    opts.UpdateImageLists();
    for (const std::string& item : Items(opts.listSS))
        ASSERT_TRUE(WaitFor([&] { return CountSetPictures(item.c_str()) != -2; })) << item;
    std::ofstream o(out, std::ios::app);
    for (char* p = picks; *p;) {
        int forScreenSaver = *p++ == 's';
        for (long n = strtol(p, &p, 10); n > 0; --n) {
            char path[cbPictBuffer], caption[cbPictBuffer];
            opts.GetNextPict(forScreenSaver, path, caption);
            o << (forScreenSaver ? "S " : "W ") << path << "\n";
        }
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
}
