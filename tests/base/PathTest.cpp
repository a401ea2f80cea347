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
std::string Edited(const char* s, Edit edit)
{
    char buf[MAX_PATH];
    strcpy(buf, s);
    edit(buf);
    return buf;
}

const char kDbcs[] = "\x95\x5C"; // one character on code page 932

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

TEST(PathEdit, AppendAndRemoveBackSlash)
{
    EXPECT_EQ("C:\\Photos\\", Edited("C:\\Photos", AppendBackSlash));
    EXPECT_EQ("C:\\Photos/", Edited("C:\\Photos/", AppendBackSlash));
    EXPECT_EQ("", Edited("", AppendBackSlash));
    EXPECT_EQ("C:\\Photos", Edited("C:\\Photos\\", RemoveBackSlash));
    EXPECT_EQ("C:\\Photos", Edited("C:\\Photos/", RemoveBackSlash));
    EXPECT_EQ("C:\\", Edited("C:\\", RemoveBackSlash));
    EXPECT_EQ("\\\\", Edited("\\\\", RemoveBackSlash));
    EXPECT_EQ("a\\\\", Edited("a\\\\", RemoveBackSlash));
    EXPECT_EQ("\\", Edited("\\", RemoveBackSlash));
    EXPECT_EQ("", Edited("", RemoveBackSlash));

    char buf[MAX_PATH] = "C:\\";
    EXPECT_EQ(1, StripBackSlash(buf));
    EXPECT_STREQ("C:", buf);
    EXPECT_EQ(0, StripBackSlash(buf));

    // A path of 259 characters has no room for another one.
    char full[MAX_PATH + 1];
    memset(full, 'a', MAX_PATH - 1);
    full[MAX_PATH - 1] = '\0';
    full[MAX_PATH] = '#';
    AppendBackSlash(full);
    EXPECT_EQ(static_cast<size_t>(MAX_PATH - 1), strlen(full));
    EXPECT_EQ('#', full[MAX_PATH]);
}

TEST(PathEdit, DoubleByteTrailByteIsNoSeparator)
{
    std::string path = std::string("C:\\x\\") + kDbcs;
    char buf[MAX_PATH];
    strcpy(buf, path.c_str());
    if (IsMBCS()) {
        EXPECT_EQ(path + "\\", Edited(path.c_str(), AppendBackSlash));
        EXPECT_EQ(path, Edited(path.c_str(), RemoveBackSlash));
        EXPECT_EQ(0, StripBackSlash(buf));
        EXPECT_EQ(path, buf);
        EXPECT_EQ("C:\\x\\", Edited((path + ".jpg").c_str(), StripFileName));
        EXPECT_STREQ(kDbcs, FindNameExt(path.c_str()));
        EXPECT_STREQ(kDbcs, FindLastPathComponent(buf));
        EXPECT_EQ(path + "\\", Edited((path + "/").c_str(), ConvertSlashes));
        char made[MAX_PATH];
        MakePath(made, path.c_str(), "a", "jpg");
        EXPECT_EQ(path + "\\a.jpg", made);
        EXPECT_EQ(path, Edited((path + ".j").c_str(), StripFileExt));
    } else {
        EXPECT_EQ(path, Edited(path.c_str(), AppendBackSlash));
        EXPECT_EQ("C:\\x\\\x95", Edited(path.c_str(), RemoveBackSlash));
        EXPECT_EQ(1, StripBackSlash(buf));
        EXPECT_STREQ("C:\\x\\\x95", buf);
        EXPECT_EQ(path, Edited((path + ".jpg").c_str(), StripFileName));
        EXPECT_EQ(nullptr, FindNameExt(path.c_str()));
    }
}

TEST(PathEdit, StripFileNameAndExtension)
{
    EXPECT_EQ("C:\\a\\", Edited("C:\\a\\b.jpg", StripFileName));
    EXPECT_EQ("C:/a/", Edited("C:/a/b.jpg", StripFileName));
    EXPECT_EQ("", Edited("b.jpg", StripFileName));
    EXPECT_EQ("C:", Edited("C:b.jpg", StripFileName));
    EXPECT_EQ("C:\\a.b\\c", Edited("C:\\a.b\\c", StripFileExt));
    EXPECT_EQ("c.tar", Edited("c.tar.gz", StripFileExt));
    EXPECT_EQ("abc", Edited("abc", StripFileExt));
    EXPECT_EQ("", Edited(".profile", StripFileExt));
    EXPECT_EQ("C:\\a\\", Edited("C:\\a\\.x", StripFileExt));
    EXPECT_EQ("a\\b\\c\\", Edited("a/b\\c/", ConvertSlashes));
}

TEST(PathEdit, NamesAndComponents)
{
    EXPECT_EQ(nullptr, FindNameExt("C:\\a\\"));
    EXPECT_EQ(nullptr, FindNameExt(""));
    EXPECT_STREQ("b.jpg", FindNameExt("b.jpg"));
    EXPECT_STREQ("b", FindNameExt("C:/a/b"));
    char buf[MAX_PATH] = "C:\\a\\b\\";
    EXPECT_STREQ("b", FindLastPathComponent(buf));
    EXPECT_STREQ("C:\\a\\b", buf);
    strcpy(buf, "name");
    EXPECT_STREQ("name", FindLastPathComponent(buf));
    EXPECT_EQ("Hello.txt", Edited("hELLO.TXT", MakeNamePretty));
    EXPECT_EQ("", Edited("", MakeNamePretty));
}

TEST(PathEdit, QuotesAndBlanks)
{
    EXPECT_EQ("C:\\a b", Edited(" \t\" C:\\a b \"  ", RemoveWhiteSpacesAndQuotes));
    EXPECT_EQ("C:\\a", Edited("\"C:\\a", RemoveWhiteSpacesAndQuotes));
    EXPECT_EQ("", Edited(" \t  ", RemoveWhiteSpacesAndQuotes));
    EXPECT_EQ("", Edited("\"", RemoveWhiteSpacesAndQuotes));
    EXPECT_EQ("a\"b", Edited("a\"b", RemoveWhiteSpacesAndQuotes));
    EXPECT_EQ("\"C:\\a b\"", Edited("C:\\a b", AddQuotesIfSpace));
    EXPECT_EQ("C:\\ab", Edited("C:\\ab", AddQuotesIfSpace));
}

TEST(PathBuild, MakePath)
{
    char dst[MAX_PATH];
    MakePath(dst, "C:\\a", "b", "jpg");
    EXPECT_STREQ("C:\\a\\b.jpg", dst);
    MakePath(dst, "C:\\a\\", "b", ".jpg");
    EXPECT_STREQ("C:\\a\\b.jpg", dst);
    MakePath(dst, "", "b", nullptr);
    EXPECT_STREQ("b", dst);
    MakePath(dst, nullptr, "b");
    EXPECT_STREQ("b", dst);
    strcpy(dst, "C:\\x");
    MakePath(dst, dst, "y"); // the folder may be the destination itself
    EXPECT_STREQ("C:\\x\\y", dst);
    std::string longName(MAX_PATH - 4, 'n');
    MakePath(dst, "C:\\a", longName.c_str());
    EXPECT_STREQ("", dst) << "a path that does not fit is never cut";

    MakePathForOS(dst, "C:\\a", ":NT:nt.dll");
    EXPECT_STREQ("C:\\a\\nt.dll", dst) << "Wine is of the NT family";
    MakePathForOS(dst, "C:\\a", ":nt:nt.dll");
    EXPECT_STREQ("C:\\a\\nt.dll", dst);
    MakePathForOS(dst, "C:\\a", ":9x:old.dll");
    EXPECT_STREQ("", dst);
    MakePathForOS(dst, "C:\\a", ":xx:other.dll");
    EXPECT_STREQ("", dst);
    MakePathForOS(dst, "C:\\a", "plain.dll", "bak");
    EXPECT_STREQ("C:\\a\\plain.dll.bak", dst);
}

TEST(PathBuild, RootsAndFullPaths)
{
    char root[MAX_PATH] = "x";
    EXPECT_EQ(1, ExtractRootPath(root, "c:\\x\\y"));
    EXPECT_STREQ("c:", root);
    EXPECT_EQ(1, ExtractRootPath(root, "\\\\srv\\share\\x"));
    EXPECT_STREQ("\\\\srv", root);
    EXPECT_EQ(0, ExtractRootPath(root, "rel\\x"));
    EXPECT_STREQ("", root);
    EXPECT_EQ(0, ExtractRootPath(root, nullptr));
    EXPECT_EQ(0, ExtractRootPath(root, "\\x"));

    auto full = [](const char* path, const char* base) {
        char buf[MAX_PATH];
        strcpy(buf, path);
        MakeFullPathName(buf, base);
        return std::string(buf);
    };
    EXPECT_EQ("C:\\base", full("", "C:\\base"));
    EXPECT_EQ("C:\\base\\rel\\x", full("rel/x", "C:\\base"));
    EXPECT_EQ("C:\\base\\rel\\x", full(" \"rel\\x\" ", "C:\\base\\"));
    EXPECT_EQ("D:\\x", full("\\x", "D:\\b\\c"));
    EXPECT_EQ("\\\\srv\\x", full("/x", "\\\\srv\\share"));
    EXPECT_EQ("E:\\abs", full("E:/abs", "C:\\base"));
    EXPECT_EQ("\\\\srv\\sh\\f", full("\\\\srv\\sh\\f", "C:\\base"));
    char cur[MAX_PATH];
    GetCurrentDirectoryA(sizeof cur, cur);
    EXPECT_EQ(std::string(cur, 2) + "\\x", full("\\x", nullptr));
    std::string rel = full("rel", nullptr);
    EXPECT_EQ(std::string(cur) + (cur[strlen(cur) - 1] == '\\' ? "" : "\\") + "rel", rel);
}

TEST(PathTests, Classification)
{
    EXPECT_EQ(1, IsFullPathName("C:\\a"));
    EXPECT_EQ(1, IsFullPathName("c:/"));
    EXPECT_EQ(1, IsFullPathName("\\a"));
    EXPECT_EQ(0, IsFullPathName("C:a"));
    EXPECT_EQ(0, IsFullPathName("1:\\a"));
    EXPECT_EQ(0, IsFullPathName(""));
    EXPECT_EQ(0, IsFullPathName(nullptr));
    EXPECT_EQ(1, IsDosFolder("z:\\"));
    EXPECT_EQ(0, IsDosFolder("\\\\srv\\x"));
    EXPECT_EQ(1, IsRootFolder("C:\\", 0));
    EXPECT_EQ(1, IsRootFolder("C:/", 0));
    EXPECT_EQ(0, IsRootFolder("C:\\a", 0));
    EXPECT_EQ(0, IsRootFolder("\\\\srv", 0));
    EXPECT_EQ(1, IsRootFolder("\\\\srv", 1));
    EXPECT_EQ(0, IsRootFolder("\\\\srv\\share", 1));
    EXPECT_EQ(0, IsRootFolder("\\\\", 1));
    EXPECT_EQ(1, IsNetworkFolder("\\\\srv"));
    EXPECT_EQ(0, IsNetworkFolder("\\\\"));
    EXPECT_EQ(0, IsNetworkFolder("//srv"));
}

TEST(PathTests, SubFolders)
{
    EXPECT_EQ(1, IsSubFolderOf("C:\\Photos\\Canyon", "c:/photos"));
    EXPECT_EQ(1, IsSubFolderOf("C:\\Photos\\Canyon", "C:\\Photos\\"));
    EXPECT_EQ(1, IsSubFolderOf("C:\\x", "C:\\"));
    EXPECT_EQ(0, IsSubFolderOf("C:\\Photos", "C:\\Photos"));
    EXPECT_EQ(0, IsSubFolderOf("C:\\Photos\\", "C:\\Photos"));
    EXPECT_EQ(0, IsSubFolderOf("C:\\Photos\\", "C:\\Photos\\"));
    EXPECT_EQ(0, IsSubFolderOf("C:\\PhotosOld\\a", "C:\\Photos"));
    EXPECT_EQ(0, IsSubFolderOf("C:\\a", ""));
    EXPECT_EQ(0, IsSubFolderOf(nullptr, "C:\\"));
    // A double-byte character with the trail byte 0x5C is no separator after the parent.
    std::string parent = "C:\\\x95";
    std::string child = parent + "\x5C" + "x";
    EXPECT_EQ(IsMBCS() ? 0 : 1, IsSubFolderOf(child.c_str(), parent.c_str()));
}

TEST(PathBuild, CommandLines)
{
    char out[MAX_PATH] = "x";
    EXPECT_EQ(1, GetCmdLnPath("  prog.exe /s", out));
    EXPECT_STREQ("prog.exe", out);
    EXPECT_EQ(1, GetCmdLnPath("\" C:\\my prog.scr\" /c:123", out));
    EXPECT_STREQ("C:\\my prog.scr", out);
    EXPECT_EQ(0, GetCmdLnPath(" \t", out));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, GetCmdLnPath(nullptr, out));
    EXPECT_EQ(nullptr, GetCmdLnArg("prog.exe"));
    EXPECT_EQ(nullptr, GetCmdLnArg("prog.exe "));
    EXPECT_STREQ("/s", GetCmdLnArg("prog.exe /s"));
    EXPECT_STREQ(" /c:123", GetCmdLnArg("\"C:\\my prog.scr\" /c:123"));
    EXPECT_STREQ("\"x", GetCmdLnArg("\"C:\\my prog.scr\"\"x"));
    EXPECT_EQ(nullptr, GetCmdLnArg("\"C:\\unclosed"));
    std::string longToken(400, 't');
    EXPECT_EQ(1, GetCmdLnPath(longToken.c_str(), out));
    EXPECT_EQ(static_cast<size_t>(MAX_PATH - 1), strlen(out));
}

TEST(PathBuild, BrowseFilter)
{
    EXPECT_EQ(std::string("Pictures\0*.jpg\0All Files\0*.*\0\0", 30), Filter("Pictures|*.jpg"));
    EXPECT_EQ(std::string("A\0*.a\0\0", 7), Filter("A|*.a|"));
    EXPECT_EQ(std::string("All Files\0*.*\0\0", 15), Filter(nullptr));
    EXPECT_EQ(std::string("All Files\0*.*\0\0", 15), Filter(""));
    // 0x83 0x7C is one character on code page 932: its trail byte is the code of "|".
    std::string dbcs = Filter("\x83\x7C|*.x|");
    if (IsMBCS())
        EXPECT_EQ(std::string("\x83\x7C\0*.x\0\0", 8), dbcs);
    else
        EXPECT_EQ(std::string("\x83\0\0", 3), dbcs); // the list ends at the empty entry
    std::string huge(5000, 'f');
    std::string cut = Filter(huge.c_str());
    EXPECT_LE(cut.size(), static_cast<size_t>(cbBrowseFilter));
}
