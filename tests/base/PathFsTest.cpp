// Path functions that ask the file system, on real folders in a scratch folder: existence,
// short and long forms, the writable-folder probe, folder creation, the home folder and
// the canonical paths.
#include "RegTestUtil.h"
#include <ctime>
#include <string>
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

std::string Edited(std::string s, void (*edit)(char*))
{
    char buf[MAX_PATH];
    strcpy(buf, s.c_str());
    edit(buf);
    return buf;
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
    int n = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do
        n++;
    while (FindNextFileA(h, &fd));
    FindClose(h);
    return n - 2;
}

std::string ReadText(const std::string& path)
{
    char buf[64];
    DWORD n = 0;
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "";
    ReadFile(h, buf, sizeof buf, &n, nullptr);
    CloseHandle(h);
    return std::string(buf, n);
}

bool SameText(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace

TEST(PathFs, ExistenceTests)
{
    ScratchDir dir;
    std::string file = dir / "f.txt";
    ASSERT_TRUE(WriteFileBytes(file, "x", 1));
    EXPECT_EQ(1, FileExists(file.c_str()));
    EXPECT_EQ(0, FolderExists(file.c_str()));
    EXPECT_EQ(1, FileOrFolderExists(file.c_str()));
    EXPECT_EQ(0, FileExists(dir.Path().c_str()));
    EXPECT_EQ(1, FolderExists(dir.Path().c_str()));
    EXPECT_EQ(1, FileOrFolderExists(dir.Path().c_str()));
    std::string missing = dir / "missing";
    EXPECT_EQ(0, FileOrFolderExists(missing.c_str()));
    EXPECT_EQ(0, FileExists(nullptr));
    EXPECT_EQ(0, FolderExists(""));
}

TEST(PathFs, ConvertToShortPathShortensWhatExists)
{
    ScratchDir dir;
    std::string one = dir / "Long Folder Name One";
    std::string two = one + "\\Another Long Name";
    ASSERT_TRUE(CreateDirectoryA(one.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(two.c_str(), nullptr));
    std::string shortTwo = Short(two);
    ASSERT_NE("", shortTwo);
    ASSERT_NE(two, shortTwo);
    EXPECT_EQ(shortTwo, Edited(two, ConvertToShortPath));
    // Only the first two components below the scratch folder exist.
    EXPECT_EQ(shortTwo + "\\not yet\\file name.txt",
              Edited(two + "/not yet/file name.txt", ConvertToShortPath));
    EXPECT_EQ("C:\\", Edited("c:\\", ConvertToShortPath));
    EXPECT_EQ("Q:\\no\\such\\path", Edited("Q:/no/such/path", ConvertToShortPath));
    EXPECT_EQ("", Edited("", ConvertToShortPath));
}

TEST(PathFs, DosPathToShellPathGivesLongNames)
{
    ScratchDir dir;
    std::string longDir = dir / "Long Folder Name One";
    std::string plain = longDir + "\\DATA";
    ASSERT_TRUE(CreateDirectoryA(longDir.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(plain.c_str(), nullptr));
    int r = -1;
    std::string shell = ShellPath(Short(longDir), &r);
    EXPECT_EQ(1, r);
    EXPECT_TRUE(SameText(longDir, shell)) << shell;
    size_t cut = shell.size() - strlen("Long Folder Name One");
    EXPECT_EQ("Long Folder Name One", shell.substr(cut)) << "long names keep their letter case";
    // An 8.3 name of its own is shown with the first letter in upper case only.
    shell = ShellPath(Short(longDir) + "\\data");
    EXPECT_EQ("\\Data", shell.substr(shell.size() - 5));
    // A missing tail stays as it is; the existing head is rebuilt.
    shell = ShellPath(Short(longDir) + "/missing/TAIL.TXT");
    EXPECT_TRUE(SameText(longDir + "\\missing\\TAIL.TXT", shell)) << shell;
    EXPECT_EQ("\\missing\\TAIL.TXT", shell.substr(shell.size() - 17));
    EXPECT_EQ("C:\\", ShellPath("c:/"));
    EXPECT_EQ("", ShellPath("", &r));
    EXPECT_EQ(1, r);
    EXPECT_EQ("relative\\x", ShellPath("relative/x", &r));
    EXPECT_EQ(0, r);
    // A wildcard is never resolved to some matching name.
    shell = ShellPath(Short(longDir) + "\\DA*");
    EXPECT_EQ("\\DA*", shell.substr(shell.size() - 4));
}

TEST(PathFs, IsDirWritable)
{
    ScratchDir dir;
    EXPECT_EQ(1, IsDirWritable(dir.Path().c_str()));
    EXPECT_EQ(0, CountEntries(dir.Path())) << "the probe file is removed";
    std::string missing = dir / "missing";
    EXPECT_EQ(0, IsDirWritable(missing.c_str()));
    std::string file = dir / "f.txt";
    ASSERT_TRUE(WriteFileBytes(file, "x", 1));
    EXPECT_EQ(0, IsDirWritable(file.c_str()));
    EXPECT_EQ(0, IsDirWritable(nullptr));

    // Files that happen to carry the probe's names are neither written nor deleted.
    ScratchDir taken;
    unsigned long now = static_cast<unsigned long>(time(nullptr)) - 819936000ul;
    for (unsigned long t = now - 1; t <= now + 3; ++t) {
        char name[16];
        wsprintfA(name, "%08lu.tmp", t % 100000000ul);
        ASSERT_TRUE(WriteFileBytes(taken / name, "keep", 4));
    }
    EXPECT_EQ(1, IsDirWritable(taken.Path().c_str()));
    EXPECT_EQ(5, CountEntries(taken.Path()));
    for (unsigned long t = now - 1; t <= now + 3; ++t) {
        char name[16];
        wsprintfA(name, "%08lu.tmp", t % 100000000ul);
        EXPECT_EQ("keep", ReadText(taken / name)) << name;
    }
}

// Under Wine, as root, neither the read-only attribute nor Unix permissions keep a
// folder from being written; a folder of the read-only system file system ("/sys")
// can serve as an unwritable one.
TEST(PathFs, IsDirWritableOnAnUnwritableFolder)
{
    ScratchDir dir;
    std::string ro = dir / "ro";
    ASSERT_TRUE(CreateDirectoryA(ro.c_str(), nullptr));
    ASSERT_TRUE(SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY));
    // On Windows the attribute does not protect a folder's contents either.
    EXPECT_EQ(1, IsDirWritable(ro.c_str()));
    if (!FolderExists("Z:\\sys\\kernel"))
        GTEST_SKIP() << "no read-only system folder to probe";
    EXPECT_EQ(0, IsDirWritable("Z:\\sys\\kernel"));
}

TEST(PathFs, CreateFolder)
{
    ScratchDir dir;
    std::string deep = dir / "a\\b/c";
    EXPECT_EQ(1, CreateFolder(deep.c_str()));
    EXPECT_EQ(1, FolderExists((dir / "a\\b\\c").c_str()));
    EXPECT_EQ(1, CreateFolder((deep + "\\").c_str())) << "existing folders are fine";
    EXPECT_EQ(0, CreateFolder("relative\\x"));
    EXPECT_EQ(0, CreateFolder(nullptr));
    ASSERT_TRUE(WriteFileBytes(dir / "file", "x", 1));
    EXPECT_EQ(0, CreateFolder((dir / "file\\sub").c_str())) << "a file is in the way";
    EXPECT_EQ(0, FolderExists((dir / "file\\sub").c_str()));
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
    EXPECT_STRNE("\\", home + strlen(home) - 1);
    EXPECT_EQ(std::string(home), HomeValue());

    char out[MAX_PATH];
    GetLocalFileName(out, "ReadMe.txt", nullptr);
    EXPECT_EQ(std::string(home) + "\\ReadMe.txt", out);
    GetLocalFileName(out, nullptr, GetLibraryModule());
    EXPECT_EQ(std::string(home) + "\\VNT32.dll", out);
    GetLocalFileNameQuoted(out, "a b.txt", nullptr);
    EXPECT_EQ("\"" + std::string(home) + "\\a b.txt\"", out);
    GetModuleFNameExt(GetLibraryModule(), out);
    EXPECT_STREQ("VNT32.dll", out);

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
    EXPECT_EQ(1, GetPathFromCanonical(out, back));
    EXPECT_EQ(std::string(sys) + "\\shell32.dll", back);
    CharUpperA(win);
    MakeCanonicalPath((std::string(win) + "\\win.ini").c_str(), out);
    EXPECT_STREQ("%W\\win.ini", out);
    MakeCanonicalPath((std::string(home) + "\\ReadMe.txt").c_str(), out);
    EXPECT_STREQ("%_\\ReadMe.txt", out);
    EXPECT_EQ(1, GetPathFromCanonical(out, back));
    EXPECT_EQ(std::string(home) + "\\ReadMe.txt", back);
    MakeCanonicalPath("D:\\other\\x.txt", out);
    EXPECT_STREQ("D:\\other\\x.txt", out);
    EXPECT_EQ(0, GetPathFromCanonical(out, back));
    EXPECT_STREQ("D:\\other\\x.txt", back);
    EXPECT_EQ(0, GetPathFromCanonical("%X\\a", back));
    EXPECT_STREQ("%X\\a", back);
    EXPECT_EQ(0, GetPathFromCanonical(nullptr, back));
    EXPECT_STREQ("", back);
}

TEST(PathFs, ProgramAndSpecialFolders)
{
    char path[MAX_PATH], dir[MAX_PATH];
    GetLocalPathDir(path, dir, sizeof path);
    EXPECT_STREQ("test_base.exe", FindNameExt(path));
    EXPECT_TRUE(SameText(TestDir(), dir)) << dir;
    char tiny[8] = "x";
    GetLocalPathDir(tiny, nullptr, sizeof tiny);
    EXPECT_STREQ("", tiny) << "a path that does not fit is not cut";

    char win[MAX_PATH], special[MAX_PATH];
    GetWindowsDirectoryA(win, sizeof win);
    EXPECT_EQ(1, GetSpecialFolderPath(nullptr, 0x24 /* CSIDL_WINDOWS */, special));
    EXPECT_TRUE(SameText(win, special)) << special;
    EXPECT_EQ(0, GetSpecialFolderPath(nullptr, 0x7F, special));
    EXPECT_STREQ("", special);

    // Whether the FTP folder component exists is the system's; web addresses never count.
    EXPECT_EQ(0, IsFtpFolder("http://example.com/"));
    EXPECT_EQ(IsFtpFolder(nullptr), IsFtpFolder("FTP://example.com/"));
}
