// Path functions that ask the file system, on real folders in a scratch folder: existence,
// the long forms, the writable-folder probe, folder creation, the home folder and
// the canonical paths.
#include "RegTestUtil.h"
#include <ctime>
#include <string>
#include <vector>
#include "TestUtil.h"
#include "base/AppInfo.h"
#include "base/Module.h"
#include "base/Path.h"

namespace {

std::string Short(const std::string& path)
{
    char buf[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof buf);
    return n && n < sizeof buf ? buf : "";
}

std::string ShellPath(const std::string& s, int* result = nullptr)
{
    char buf[MAX_PATH];
    strcpy(buf, s.c_str());
    int r = DosPathToShellPath(buf);
    if (result)
        *result = r;
    return buf;
}

int CountEntries(const std::string& dir)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    int n = h == INVALID_HANDLE_VALUE ? 0 : 1;
    while (n && FindNextFileA(h, &fd))
        n++;
    if (n)
        FindClose(h);
    return n - 2; // without "." and ".."
}

DWORD FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ? data.nFileSizeLow : 0;
}

bool SameText(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace

TEST(PathFs, ExistenceAndCreateFolder)
{
    ScratchDir dir;
    std::string file = dir / "f.txt";
    ASSERT_TRUE(WriteFileBytes(file, "x", 1));
    EXPECT_EQ(1, FileExists(file.c_str()));
    EXPECT_EQ(0, FolderExists(file.c_str()));
    EXPECT_EQ(0, FileExists(dir.Path().c_str()));
    EXPECT_EQ(1, FolderExists(dir.Path().c_str()));
    EXPECT_EQ(0, FileOrFolderExists((dir / "missing").c_str()));

    std::string deep = dir / "a\\b/c";
    EXPECT_EQ(1, CreateFolder(deep.c_str()));
    EXPECT_EQ(1, FolderExists((dir / "a\\b\\c").c_str()));
    EXPECT_EQ(1, CreateFolder((deep + "\\").c_str())) << "existing folders are fine";
    EXPECT_EQ(0, CreateFolder("relative\\x"));
    EXPECT_EQ(0, CreateFolder((dir / "f.txt\\sub").c_str())) << "a file is in the way";
}

TEST(PathFs, ShortAndLongForms)
{
    ScratchDir dir;
    std::string one = dir / "Long Folder Name One";
    ASSERT_TRUE(CreateDirectoryA(one.c_str(), nullptr));
    char missing[MAX_PATH] = "Q:/no/such/path";
    ConvertToShortPath(missing);
    EXPECT_STREQ("Q:\\no\\such\\path", missing);

    // Back to the long names, in their own letter case; an 8.3 name of its own is shown
    // with the first letter in upper case only; a missing tail stays as it is.
    ASSERT_TRUE(CreateDirectoryA((one + "\\DATA").c_str(), nullptr));
    int r = -1;
    std::string shell = ShellPath(Short(one) + "\\data/missing/TAIL.TXT", &r);
    EXPECT_EQ(1, r);
    EXPECT_TRUE(SameText(one + "\\Data\\missing\\TAIL.TXT", shell)) << shell;
    const std::string tail = "\\Long Folder Name One\\Data\\missing\\TAIL.TXT";
    EXPECT_EQ(tail, shell.substr(shell.size() - tail.size()));
    EXPECT_EQ("relative\\x", ShellPath("relative/x", &r));
    EXPECT_EQ(0, r);
    // A wildcard is never resolved to some matching name.
    shell = ShellPath(Short(one) + "\\DA*");
    EXPECT_EQ("\\DA*", shell.substr(shell.size() - 4));
}

TEST(PathFs, IsDirWritable)
{
    ScratchDir dir;
    EXPECT_EQ(1, IsDirWritable(dir.Path().c_str()));
    EXPECT_EQ(0, CountEntries(dir.Path())) << "the probe file is removed";
    EXPECT_EQ(0, IsDirWritable((dir / "missing").c_str()));
    ASSERT_TRUE(WriteFileBytes(dir / "f.txt", "x", 1));
    EXPECT_EQ(0, IsDirWritable((dir / "f.txt").c_str()));

    // Files that happen to carry the probe's names are neither written nor deleted.
    ScratchDir taken;
    std::vector<std::string> names;
    unsigned long now = static_cast<unsigned long>(time(nullptr)) - 819936000ul;
    for (unsigned long t = now - 1; t <= now + 3; ++t) {
        char name[16];
        wsprintfA(name, "%08lu.tmp", t % 100000000ul);
        names.push_back(taken / name);
        ASSERT_TRUE(WriteFileBytes(names.back(), "keep", 4));
    }
    EXPECT_EQ(1, IsDirWritable(taken.Path().c_str()));
    EXPECT_EQ(5, CountEntries(taken.Path()));
    for (const std::string& name : names)
        EXPECT_EQ(4u, FileSize(name)) << name;
}

// The home folder is the library's folder unless the machine-wide "Home" value says
// otherwise; the machine-wide root is redirected into the test's private key.
class HomeDirTest : public RegFixture {
protected:
    void SetUp() override
    {
        RegFixture::SetUp();
        Redirect(HKEY_LOCAL_MACHINE, "lm");
    }
    std::string HomeValue() { return RawStr(sub + "\\lm\\Software\\Corvane\\Vantora\\Setup", "Home"); }
};

TEST_F(HomeDirTest, HomeIsTheLibraryFolderAndIsRemembered)
{
    char lib[MAX_PATH];
    GetModuleFileNameA(GetLibraryModule(), lib, sizeof lib);
    StripFileName(lib);
    RemoveBackSlash(lib);
    char home[MAX_PATH];
    GetHomeDir(home);
    EXPECT_TRUE(SameText(lib, home)) << home;
    EXPECT_EQ(std::string(home), HomeValue());

    char out[MAX_PATH];
    GetLocalFileNameQuoted(out, "a b.txt", nullptr);
    EXPECT_EQ("\"" + std::string(home) + "\\a b.txt\"", out);

    RawSetStr(sub + "\\lm\\Software\\Corvane\\Vantora\\Setup", "Home", "D:\\Elsewhere");
    GetHomeDir(home);
    EXPECT_STREQ("D:\\Elsewhere", home);
}

TEST_F(HomeDirTest, CanonicalPaths)
{
    char sys[MAX_PATH], win[MAX_PATH], home[MAX_PATH], out[MAX_PATH], back[MAX_PATH];
    GetSystemDirectoryA(sys, sizeof sys);
    GetWindowsDirectoryA(win, sizeof win);
    GetHomeDir(home);
    MakeCanonicalPath((std::string(sys) + "\\shell32.dll").c_str(), out);
    EXPECT_STREQ("%S\\shell32.dll", out);
    CharUpperA(win); // letter case does not matter
    MakeCanonicalPath((std::string(win) + "\\win.ini").c_str(), out);
    EXPECT_STREQ("%W\\win.ini", out);
    MakeCanonicalPath((std::string(home) + "\\ReadMe.txt").c_str(), out);
    EXPECT_STREQ("%_\\ReadMe.txt", out);
    EXPECT_EQ(1, GetPathFromCanonical(out, back));
    EXPECT_EQ(std::string(home) + "\\ReadMe.txt", back);
    MakeCanonicalPath("D:\\other\\x.txt", out);
    EXPECT_STREQ("D:\\other\\x.txt", out);
    EXPECT_EQ(0, GetPathFromCanonical("%X\\a", back));
    EXPECT_STREQ("%X\\a", back);

    // The program's own folder; a path that does not fit is not cut.
    char path[MAX_PATH], dir[MAX_PATH];
    GetLocalPathDir(path, dir, sizeof path);
    EXPECT_STREQ("test_base.exe", FindNameExt(path));
    EXPECT_TRUE(SameText(TestDir(), dir)) << dir;
    char tiny[8] = "x";
    GetLocalPathDir(tiny, nullptr, sizeof tiny);
    EXPECT_STREQ("", tiny);
}
