// Path editing, building and the textual tests. On code page 932 the bytes 0x95 0x5C are one
// character (its trail byte is the code of "\"), never split; on 1252 "•" and a backslash.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "TestUtil.h"
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

} // namespace

TEST(PathEdit, SeparatorsNamesAndExtensions)
{
    // The result on 1252, and on 932 when it differs.
    const struct { void (*edit)(char*); const char *path, *sbcs, *dbcs; } cases[] = {
        {AppendBackSlash, "C:\\Photos", "C:\\Photos\\"}, {RemoveBackSlash, "C:\\Photos/", "C:\\Photos"},
        {RemoveBackSlash, "C:\\", "C:\\"}, {RemoveBackSlash, "a\\\\", "a\\\\"}, // a root keeps its separator
        {StripFileName, "C:/a/b.jpg", "C:/a/"}, {StripFileName, "C:b.jpg", "C:"},
        {StripFileExt, "C:\\a.b\\c", "C:\\a.b\\c"}, {StripFileExt, "c.tar.gz", "c.tar"},
        {MakeNamePretty, "hELLO.TXT", "Hello.txt"},
        {RemoveWhiteSpacesAndQuotes, " \t\" C:\\a b \"  ", "C:\\a b"}, {RemoveWhiteSpacesAndQuotes, "\"", ""},
        // A trail byte is no separator.
        {AppendBackSlash, "C:\\x\\\x95\x5C", "C:\\x\\\x95\x5C", "C:\\x\\\x95\x5C\\"},
        {RemoveBackSlash, "C:\\x\\\x95\x5C", "C:\\x\\\x95", "C:\\x\\\x95\x5C"},
        {StripFileName, "C:\\x\\\x95\x5C.jpg", "C:\\x\\\x95\x5C", "C:\\x\\"},
        {ConvertSlashes, "C:\\x\\\x95\x5C/", "C:\\x\\\x95\x5C\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(Dbcs() && c.dbcs ? c.dbcs : c.sbcs, Edited(c.path, c.edit));
    }
    // A path of 259 characters has no room for another one.
    std::string full(MAX_PATH - 1, 'a');
    EXPECT_EQ(full, Edited(full, AppendBackSlash));
    EXPECT_EQ(nullptr, FindNameExt("C:\\a\\"));
    EXPECT_STREQ("b", FindNameExt("C:/a/b"));
    EXPECT_STREQ(Dbcs() ? "\x95\x5C" : nullptr, FindNameExt("C:\\x\\\x95\x5C"));
}

TEST(PathBuild, MakePathAndFullPaths)
{
    EXPECT_EQ("C:\\a\\b.jpg", Made("C:\\a\\", "b", ".jpg"));
    EXPECT_EQ(Dbcs() ? "C:\\\x95\x5C\\a.jpg" : "C:\\\x95\x5C" "a.jpg", Made("C:\\\x95\x5C", "a", "jpg"));
    EXPECT_EQ("b", Made(nullptr, "b"));
    char dst[MAX_PATH] = "C:\\x";
    MakePath(dst, dst, "y"); // the folder may be the destination itself
    EXPECT_STREQ("C:\\x\\y", dst);
    EXPECT_EQ("", Made("C:\\a", std::string(MAX_PATH - 4, 'n').c_str())) << "never cut";
    auto full = [](const char* path, const char* base) { return Edited(path, [base](char* b) { MakeFullPathName(b, base); }); };
    EXPECT_EQ("C:\\base\\rel\\x", full(" \"rel/x\" ", "C:\\base\\"));
    EXPECT_EQ("D:\\x", full("\\x", "D:\\b\\c"));
    EXPECT_EQ("\\\\srv\\x", full("/x", "\\\\srv\\share"));
    EXPECT_EQ("E:\\abs", full("E:/abs", "C:\\base"));
    char cur[MAX_PATH];
    GetCurrentDirectoryA(sizeof cur, cur);
    EXPECT_EQ(std::string(cur, 2) + "\\x", full("\\x", nullptr));
}

TEST(PathTests, ClassificationAndCommandLines)
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
    EXPECT_EQ(Dbcs() ? 0 : 1, IsSubFolderOf("C:\\\x95\x5Cx", "C:\\\x95"));
    EXPECT_EQ(nullptr, GetCmdLnArg("prog.exe "));
    EXPECT_STREQ(" /c:123", GetCmdLnArg("\"C:\\my prog.scr\" /c:123"));
    EXPECT_EQ(nullptr, GetCmdLnArg("\"C:\\unclosed"));
}
