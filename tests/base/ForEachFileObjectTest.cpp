// ForEachFileObject on a real folder tree: which entries reach the callback, with which
// folder, in which order relative to the descent, stopping, deletion and the pattern.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "TestUtil.h"
#include "base/ForEachFileObject.h"

namespace {

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

TEST_F(ForEachFileObjectTest, ZeroEndsTheWalkOfThatFolderOnly)
{
    stopAt = "";
    EXPECT_EQ(1u, Walk(FFO_CALLBEFORE).size());
    // Every file of sub answers 0: one of them is reported, the parent's walk goes on.
    stopAt = "sub\\g";
    Names found = Walk(FFO_CALLBEFORE | FFO_RECURSE | FFO_FILESONLY);
    EXPECT_EQ(1, std::count_if(found.begin(), found.end(), [](const std::string& name) {
                  return name.compare(0, 5, "sub\\g") == 0;
              }));
    EXPECT_EQ(Names({"f1.txt", "f2.jpg"}), Names(found.begin(), found.begin() + 2));
    // The result of the call after descending replaces the one before.
    int count = 0;
    auto alternate = [](const char*, const WIN32_FIND_DATAA*, void* user) {
        return (*static_cast<int*>(user))++ % 2; // 0 before, 1 after
    };
    ForEachFileObject(FFO_CALLBEFORE | FFO_CALLAFTER, dir.Path().c_str(), nullptr, alternate, &count);
    EXPECT_EQ(8, count);
}

TEST_F(ForEachFileObjectTest, DeleteRemovesFilesOnly)
{
    EXPECT_EQ(5u, Walk(FFO_DELETE | FFO_RECURSE | FFO_FILESONLY | FFO_CALLAFTER).size());
    for (const char* f : {"f1.txt", "sub\\g1.txt", "sub\\deeper\\h1.txt", "sub", "sub\\deeper", "empty"})
        EXPECT_EQ(!strchr(f, '.'), GetFileAttributesA((dir / f).c_str()) != INVALID_FILE_ATTRIBUTES) << f;
}
