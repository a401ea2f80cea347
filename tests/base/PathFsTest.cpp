// On real folders: path functions that ask the file system (existence, long forms, the
// writable-folder probe, folder creation, home folder, canonical paths) and ForEachFileObject.
#include "RegTestUtil.h"
#include <algorithm>
#include <ctime>
#include <vector>
#include "TestUtil.h"
#include "base/ForEachFileObject.h"
#include "base/Path.h"

namespace {

std::string ShellPath(const std::string& s, int expectedResult = 1)
{
    char buf[MAX_PATH];
    strcpy(buf, s.c_str());
    EXPECT_EQ(expectedResult, DosPathToShellPath(buf)) << s;
    return buf;
}

using Names = std::vector<std::string>;

// The tree: f1.txt, f2.jpg, sub (g1.txt, g2.txt, deeper (h1.txt)), empty. Each call is
// recorded as the entry's path below the root.
class ForEachFileObjectTest : public ::testing::Test {
protected:
    ScratchDir dir;
    Names calls;
    std::string stopAt = "?"; // calls whose recorded name starts with this answer 0
    void SetUp() override
    {
        for (const char* d : {"sub", "sub\\deeper", "empty"})
            ASSERT_TRUE(CreateDirectoryA((dir / d).c_str(), nullptr));
        for (const char* f : {"f1.txt", "f2.jpg", "sub\\g1.txt", "sub\\g2.txt", "sub\\deeper\\h1.txt"})
            ASSERT_TRUE(WriteFileBytes(dir / f, "x", 1));
    }
    static int Record(const char* folder, const WIN32_FIND_DATAA* found, void* user)
    {
        ForEachFileObjectTest* self = static_cast<ForEachFileObjectTest*>(user);
        std::string below = folder + std::min(strlen(folder), self->dir.Path().size() + 1);
        self->calls.push_back(below.empty() ? found->cFileName : below + "\\" + found->cFileName);
        return self->calls.back().compare(0, self->stopAt.size(), self->stopAt) != 0;
    }
    // The sorted names of one walk's calls.
    Names Walk(unsigned long flags, const char* mask = nullptr, const std::string& folder = "")
    {
        calls.clear();
        ForEachFileObject(flags, (folder.empty() ? dir.Path() : dir / folder).c_str(), mask, Record, this);
        Names sorted = calls;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }
    int IndexOf(const std::string& name) const
    {
        auto it = std::find(calls.begin(), calls.end(), name);
        return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
    }
};

} // namespace

TEST(PathFs, ExistenceCreateFolderAndTheWritableProbe)
{
    ScratchDir dir, empty;
    std::string file = dir / "f.txt", deep = dir / "a\\b/c";
    ASSERT_TRUE(WriteFileBytes(file, "x", 1));
    EXPECT_EQ(1, FileExists(file.c_str()));
    EXPECT_EQ(0, FileExists(dir.Path().c_str()));
    EXPECT_EQ(0, FileOrFolderExists((dir / "missing").c_str()));
    EXPECT_EQ(1, CreateFolder(deep.c_str()));
    EXPECT_EQ(1, FolderExists((dir / "a\\b\\c").c_str()));
    EXPECT_EQ(1, CreateFolder((deep + "\\").c_str())) << "existing folders are fine";
    EXPECT_EQ(0, CreateFolder("relative\\x"));
    EXPECT_EQ(0, CreateFolder((file + "\\sub").c_str())) << "a file is in the way";
    // The probe file is removed, and files that happen to carry its names are left alone.
    EXPECT_EQ(1, IsDirWritable(empty.Path().c_str()));
    EXPECT_TRUE(RemoveDirectoryA(empty.Path().c_str())) << "left empty";
    EXPECT_EQ(0, IsDirWritable(empty.Path().c_str()));
    EXPECT_EQ(0, IsDirWritable(file.c_str()));
    std::vector<std::string> names;
    unsigned long now = static_cast<unsigned long>(time(nullptr)) - 819936000ul;
    for (unsigned long t = now - 1; t <= now + 3; ++t) {
        char name[16];
        wsprintfA(name, "%08lu.tmp", t % 100000000ul);
        names.push_back(dir / name);
        ASSERT_TRUE(WriteFileBytes(names.back(), "keep", 4));
    }
    EXPECT_EQ(1, IsDirWritable(dir.Path().c_str()));
    for (const std::string& name : names)
        EXPECT_EQ(1, FileExists(name.c_str())) << name;
}

TEST(PathFs, ShortAndLongForms)
{
    ScratchDir dir;
    std::string one = dir / "Long Folder Name One";
    ASSERT_TRUE(CreateDirectoryA(one.c_str(), nullptr) && CreateDirectoryA((one + "\\DATA").c_str(), nullptr));
    char shortOne[MAX_PATH] = "", missing[MAX_PATH] = "Q:/no/such/path";
    GetShortPathNameA(one.c_str(), shortOne, sizeof shortOne);
    ConvertToShortPath(missing);
    EXPECT_STREQ("Q:\\no\\such\\path", missing);
    // Back to the long names, in their own letter case; an 8.3 name of its own is shown
    // with the first letter in upper case only; a missing tail stays as it is.
    std::string shell = ShellPath(std::string(shortOne) + "\\data/missing/TAIL.TXT");
    EXPECT_STRCASEEQ((one + "\\Data\\missing\\TAIL.TXT").c_str(), shell.c_str());
    const std::string tail = "\\Long Folder Name One\\Data\\missing\\TAIL.TXT";
    EXPECT_EQ(tail, shell.substr(shell.size() - tail.size()));
    EXPECT_EQ("relative\\x", ShellPath("relative/x", 0));
    // A wildcard is never resolved to some matching name.
    shell = ShellPath(std::string(shortOne) + "\\DA*");
    EXPECT_EQ("\\DA*", shell.substr(shell.size() - 4));
}

// The home folder is the library's folder unless the machine-wide "Home" value says otherwise.
TEST_F(RegFixture, HomeFolderAndCanonicalPaths)
{
    Redirect(HKEY_LOCAL_MACHINE, "lm");
    const std::string setup = sub + "\\lm\\Software\\Corvane\\Vantora\\Setup";
    char home[MAX_PATH], out[MAX_PATH], back[MAX_PATH];
    GetHomeDir(home);
    EXPECT_STRCASEEQ(TestDir().c_str(), home); // the library's folder
    EXPECT_EQ(std::string(home), RawStr(setup, "Home"));
    RawSetStr(setup, "Home", "D:\\Elsewhere");
    GetHomeDir(home);
    EXPECT_STREQ("D:\\Elsewhere", home);
    // Paths in the system, Windows and home folders in short; letter case does not matter.
    char sys[MAX_PATH], win[MAX_PATH];
    GetSystemDirectoryA(sys, sizeof sys);
    GetWindowsDirectoryA(win, sizeof win);
    CharUpperA(win);
    const struct { std::string path, canonical; } cases[] = {
        {std::string(sys) + "\\shell32.dll", "%S\\shell32.dll"}, {std::string(win) + "\\win.ini", "%W\\win.ini"},
        {std::string(home) + "\\ReadMe.txt", "%_\\ReadMe.txt"}, {"D:\\other\\x.txt", "D:\\other\\x.txt"},
    };
    for (const auto& c : cases) {
        MakeCanonicalPath(c.path.c_str(), out);
        EXPECT_EQ(c.canonical, out);
        EXPECT_EQ(c.canonical[0] == '%', GetPathFromCanonical(out, back));
        EXPECT_STRCASEEQ(c.path.c_str(), back);
    }
    EXPECT_EQ(0, GetPathFromCanonical("%X\\a", back));
    EXPECT_STREQ("%X\\a", back);
    // The program's own folder; a path that does not fit is not cut.
    char path[MAX_PATH], dir[MAX_PATH], tiny[8] = "x";
    GetLocalPathDir(path, dir, sizeof path);
    EXPECT_STREQ("test_base.exe", FindNameExt(path));
    EXPECT_STRCASEEQ(TestDir().c_str(), dir);
    GetLocalPathDir(tiny, nullptr, sizeof tiny);
    EXPECT_STREQ("", tiny);
}

TEST_F(ForEachFileObjectTest, FlagsChooseEntriesAndOrder)
{
    EXPECT_EQ((Names{"empty", "f1.txt", "f2.jpg", "sub"}), Walk(FFO_CALLBEFORE));
    EXPECT_EQ((Names{"f1.txt", "f2.jpg"}), Walk(FFO_CALLBEFORE | FFO_FILESONLY));
    EXPECT_EQ((Names{"f1.txt"}), Walk(FFO_CALLAFTER, "*.txt"));
    // The pattern also chooses the folders that are entered.
    EXPECT_EQ((Names{"f1.txt"}), Walk(FFO_CALLBEFORE | FFO_RECURSE, "*.txt"));
    EXPECT_EQ((Names{"empty", "f1.txt", "f2.jpg", "sub", "sub\\deeper", "sub\\deeper\\h1.txt", "sub\\g1.txt",
                     "sub\\g2.txt"}),
              Walk(FFO_CALLBEFORE | FFO_RECURSE));
    EXPECT_LT(IndexOf("sub"), IndexOf("sub\\g1.txt")) << "before descending";
    EXPECT_EQ((Names{"f1.txt", "f1.txt", "f2.jpg", "f2.jpg", "sub\\deeper\\h1.txt", "sub\\deeper\\h1.txt",
                     "sub\\g1.txt", "sub\\g1.txt", "sub\\g2.txt", "sub\\g2.txt"}),
              Walk(FFO_CALLBEFORE | FFO_CALLAFTER | FFO_RECURSE | FFO_FILESONLY));
    Walk(FFO_CALLAFTER | FFO_RECURSE);
    EXPECT_GT(IndexOf("sub"), IndexOf("sub\\deeper\\h1.txt")) << "after descending";
    // The dots are reported but never entered: "." and ".." in each of the four folders.
    EXPECT_EQ(8u + 2u * 4u, Walk(FFO_CALLBEFORE | FFO_RECURSE | FFO_DOTS).size());
    EXPECT_TRUE(Walk(FFO_CALLBEFORE | FFO_RECURSE, nullptr, "missing").empty());
}

TEST_F(ForEachFileObjectTest, ZeroEndsTheWalkOfThatFolderOnlyAndDeleteRemovesFiles)
{
    stopAt = "";
    EXPECT_EQ(1u, Walk(FFO_CALLBEFORE).size());
    // Every file of sub answers 0: one of them is reported, the parent's walk goes on.
    stopAt = "sub\\g";
    Names found = Walk(FFO_CALLBEFORE | FFO_RECURSE | FFO_FILESONLY);
    auto inSub = [](const std::string& name) { return name.compare(0, 5, "sub\\g") == 0; };
    EXPECT_EQ(1, std::count_if(found.begin(), found.end(), inSub));
    EXPECT_EQ(Names({"f1.txt", "f2.jpg"}), Names(found.begin(), found.begin() + 2));
    // The result of the call after descending replaces the one before.
    int count = 0;
    auto alternate = [](const char*, const WIN32_FIND_DATAA*, void* user) {
        return (*static_cast<int*>(user))++ % 2; // 0 before, 1 after
    };
    ForEachFileObject(FFO_CALLBEFORE | FFO_CALLAFTER, dir.Path().c_str(), nullptr, alternate, &count);
    EXPECT_EQ(8, count);
    // Deleting removes files only.
    stopAt = "?";
    EXPECT_EQ(5u, Walk(FFO_DELETE | FFO_RECURSE | FFO_FILESONLY | FFO_CALLAFTER).size());
    for (const char* f : {"f1.txt", "sub\\g1.txt", "sub\\deeper\\h1.txt", "sub", "sub\\deeper", "empty"})
        EXPECT_EQ(!strchr(f, '.'), GetFileAttributesA((dir / f).c_str()) != INVALID_FILE_ATTRIBUTES) << f;
}
