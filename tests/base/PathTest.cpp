// Path editing, building and the textual tests. On code page 932 the two bytes 0x95 0x5C
// are one character (its trail byte is the code of "\") and must never be split; on code
// page 1252 the same bytes are "•" and a real backslash, so the expected results differ.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "base/Browse.h"
#include "base/Mbcs.h"
#include "base/Path.h"

namespace {

// Runs an in-place edit on a copy of s in a 260-byte buffer.
template <class Edit>
std::string Edited(const std::string& s, Edit edit)
{
    char buf[MAX_PATH];
    strcpy(buf, s.c_str());
    edit(buf);
    return buf;
}

std::string Made(const char* dir, const char* name, const char* ext = nullptr)
{
    char dst[MAX_PATH];
    MakePath(dst, dir, name, ext);
    return dst;
}

std::string Full(const char* path, const char* base)
{
    char buf[MAX_PATH];
    strcpy(buf, path);
    MakeFullPathName(buf, base);
    return buf;
}

std::string Filter(const char* filter)
{
    char out[cbBrowseFilter];
    memset(out, 'x', sizeof out);
    PrepareBrowseFilter(out, filter);
    size_t n = 0;
    while (out[n] || out[n + 1])
        n++;
    return std::string(out, n + 2);
}

} // namespace

TEST(PathEdit, SeparatorsNamesAndExtensions)
{
    EXPECT_EQ("C:\\Photos\\", Edited("C:\\Photos", AppendBackSlash));
    EXPECT_EQ("C:\\Photos", Edited("C:\\Photos/", RemoveBackSlash));
    EXPECT_EQ("C:\\", Edited("C:\\", RemoveBackSlash)) << "a root keeps its separator";
    EXPECT_EQ("a\\\\", Edited("a\\\\", RemoveBackSlash));
    // A path of 259 characters has no room for another one.
    std::string full(MAX_PATH - 1, 'a');
    EXPECT_EQ(full, Edited(full, AppendBackSlash));

    EXPECT_EQ("C:/a/", Edited("C:/a/b.jpg", StripFileName));
    EXPECT_EQ("C:", Edited("C:b.jpg", StripFileName));
    EXPECT_EQ("C:\\a.b\\c", Edited("C:\\a.b\\c", StripFileExt));
    EXPECT_EQ("c.tar", Edited("c.tar.gz", StripFileExt));
    EXPECT_EQ(nullptr, FindNameExt("C:\\a\\"));
    EXPECT_STREQ("b", FindNameExt("C:/a/b"));
    char buf[MAX_PATH] = "C:\\a\\b\\";
    EXPECT_STREQ("b", FindLastPathComponent(buf));
    EXPECT_EQ("Hello.txt", Edited("hELLO.TXT", MakeNamePretty));
    EXPECT_EQ("C:\\a b", Edited(" \t\" C:\\a b \"  ", RemoveWhiteSpacesAndQuotes));
    EXPECT_EQ("", Edited("\"", RemoveWhiteSpacesAndQuotes));
    EXPECT_EQ("\"C:\\a b\"", Edited("C:\\a b", AddQuotesIfSpace));
}

TEST(PathEdit, DoubleByteTrailByteIsNoSeparator)
{
    const std::string path = "C:\\x\\\x95\x5C";
    char buf[MAX_PATH];
    strcpy(buf, path.c_str());
    if (IsMBCS()) {
        EXPECT_EQ(path + "\\", Edited(path, AppendBackSlash));
        EXPECT_EQ(0, StripBackSlash(buf));
        EXPECT_EQ("C:\\x\\", Edited(path + ".jpg", StripFileName));
        EXPECT_STREQ("\x95\x5C", FindNameExt(path.c_str()));
        EXPECT_STREQ("\x95\x5C", FindLastPathComponent(buf));
        EXPECT_EQ(path + "\\", Edited(path + "/", ConvertSlashes));
        EXPECT_EQ(path + "\\a.jpg", Made(path.c_str(), "a", "jpg"));
        EXPECT_EQ(path, Edited(path + ".j", StripFileExt));
    } else {
        EXPECT_EQ(path, Edited(path, AppendBackSlash));
        EXPECT_EQ(1, StripBackSlash(buf));
        EXPECT_STREQ("C:\\x\\\x95", buf);
        EXPECT_EQ(path, Edited(path + ".jpg", StripFileName));
        EXPECT_EQ(nullptr, FindNameExt(path.c_str()));
    }
    EXPECT_EQ(IsMBCS() ? 0 : 1, IsSubFolderOf("C:\\\x95\x5Cx", "C:\\\x95"));
}

TEST(PathBuild, MakePathAndFullPaths)
{
    EXPECT_EQ("C:\\a\\b.jpg", Made("C:\\a\\", "b", ".jpg"));
    EXPECT_EQ("b", Made(nullptr, "b"));
    char dst[MAX_PATH] = "C:\\x";
    MakePath(dst, dst, "y"); // the folder may be the destination itself
    EXPECT_STREQ("C:\\x\\y", dst);
    EXPECT_EQ("", Made("C:\\a", std::string(MAX_PATH - 4, 'n').c_str())) << "never cut";
    MakePathForOS(dst, "C:\\a", ":NT:nt.dll");
    EXPECT_STREQ("C:\\a\\nt.dll", dst) << "Wine is of the NT family";
    MakePathForOS(dst, "C:\\a", ":9x:old.dll");
    EXPECT_STREQ("", dst);

    char root[MAX_PATH];
    EXPECT_EQ(1, ExtractRootPath(root, "\\\\srv\\share\\x"));
    EXPECT_STREQ("\\\\srv", root);
    EXPECT_EQ(0, ExtractRootPath(root, "rel\\x"));
    EXPECT_EQ("C:\\base\\rel\\x", Full(" \"rel/x\" ", "C:\\base\\"));
    EXPECT_EQ("D:\\x", Full("\\x", "D:\\b\\c"));
    EXPECT_EQ("\\\\srv\\x", Full("/x", "\\\\srv\\share"));
    EXPECT_EQ("E:\\abs", Full("E:/abs", "C:\\base"));
    char cur[MAX_PATH];
    GetCurrentDirectoryA(sizeof cur, cur);
    EXPECT_EQ(std::string(cur, 2) + "\\x", Full("\\x", nullptr));
}

TEST(PathTests, Classification)
{
    EXPECT_EQ(1, IsFullPathName("\\a"));
    EXPECT_EQ(0, IsFullPathName("C:a"));
    EXPECT_EQ(1, IsRootFolder("C:/", 0));
    EXPECT_EQ(0, IsRootFolder("\\\\srv", 0));
    EXPECT_EQ(1, IsRootFolder("\\\\srv", 1));
    EXPECT_EQ(1, IsSubFolderOf("C:\\Photos\\Canyon", "c:/photos"));
    EXPECT_EQ(1, IsSubFolderOf("C:\\x", "C:\\"));
    EXPECT_EQ(0, IsSubFolderOf("C:\\Photos\\", "C:\\Photos"));
    EXPECT_EQ(0, IsSubFolderOf("C:\\PhotosOld\\a", "C:\\Photos"));
}

TEST(PathBuild, CommandLinesAndBrowseFilter)
{
    char out[MAX_PATH];
    EXPECT_EQ(1, GetCmdLnPath("\" C:\\my prog.scr\" /c:123", out));
    EXPECT_STREQ("C:\\my prog.scr", out);
    EXPECT_EQ(0, GetCmdLnPath(" \t", out));
    EXPECT_EQ(1, GetCmdLnPath(std::string(400, 't').c_str(), out));
    EXPECT_EQ(static_cast<size_t>(MAX_PATH - 1), strlen(out));
    EXPECT_EQ(nullptr, GetCmdLnArg("prog.exe "));
    EXPECT_STREQ(" /c:123", GetCmdLnArg("\"C:\\my prog.scr\" /c:123"));
    EXPECT_EQ(nullptr, GetCmdLnArg("\"C:\\unclosed"));

    EXPECT_EQ(std::string("Pictures\0*.jpg\0All Files\0*.*\0\0", 30), Filter("Pictures|*.jpg"));
    EXPECT_EQ(std::string("A\0*.a\0\0", 7), Filter("A|*.a|"));
    EXPECT_EQ(std::string("All Files\0*.*\0\0", 15), Filter(nullptr));
    // 0x83 0x7C is one character on code page 932: its trail byte is the code of "|".
    EXPECT_EQ(IsMBCS() ? std::string("\x83\x7C\0*.x\0\0", 8) : std::string("\x83\0\0", 3), Filter("\x83\x7C|*.x|"));
    EXPECT_LE(Filter(std::string(5000, 'f').c_str()).size(), static_cast<size_t>(cbBrowseFilter));
}
