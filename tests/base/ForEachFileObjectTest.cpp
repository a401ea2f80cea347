// ForEachFileObject on a real folder tree: which entries reach the callback, with which
// folder, in which order relative to the descent, stopping, deletion and the pattern.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "TestUtil.h"
#include "base/ForEachFileObject.h"

namespace {

// Records "folder-relative-name" per call; answers from a script of results.
struct Recorder {
    std::string root;
    std::vector<std::string> calls;
    std::string stopAt;       // answer 0 for entries whose recorded name starts with this
    int stopAtCall = -1;      // answer 0 for the call with this number

    static int Callback(const char* folder, const WIN32_FIND_DATAA* found, void* user)
    {
        Recorder* r = static_cast<Recorder*>(user);
        std::string f = folder;
        std::string rel = f.size() > r->root.size() ? f.substr(r->root.size() + 1) + "\\" : "";
        r->calls.push_back(rel + found->cFileName);
        if ((!r->stopAt.empty() && r->calls.back().compare(0, r->stopAt.size(), r->stopAt) == 0) ||
            static_cast<int>(r->calls.size()) - 1 == r->stopAtCall)
            return 0;
        return 1;
    }
    std::vector<std::string> Sorted() const
    {
        std::vector<std::string> s = calls;
        std::sort(s.begin(), s.end());
        return s;
    }
    int IndexOf(const std::string& name) const
    {
        auto it = std::find(calls.begin(), calls.end(), name);
        return it == calls.end() ? -1 : static_cast<int>(it - calls.begin());
    }
};

// The tree: f1.txt, f2.jpg, sub (g1.txt, deeper (h1.txt)), empty.
class ForEachFileObjectTest : public ::testing::Test {
protected:
    ScratchDir dir;
    Recorder rec;

    void SetUp() override
    {
        rec.root = dir.Path();
        for (const char* d : {"sub", "sub\\deeper", "empty"})
            ASSERT_TRUE(CreateDirectoryA((dir / d).c_str(), nullptr));
        for (const char* f : {"f1.txt", "f2.jpg", "sub\\g1.txt", "sub\\deeper\\h1.txt"})
            ASSERT_TRUE(WriteFileBytes(dir / f, "x", 1));
    }
    // The sorted names of one walk's calls.
    std::vector<std::string> Walk(unsigned long flags, const char* mask = nullptr)
    {
        rec.calls.clear();
        ForEachFileObject(flags, dir.Path().c_str(), mask, Recorder::Callback, &rec);
        return rec.Sorted();
    }
    bool Exists(const char* rel) { return GetFileAttributesA((dir / rel).c_str()) != INVALID_FILE_ATTRIBUTES; }
};

using Names = std::vector<std::string>;

} // namespace

TEST_F(ForEachFileObjectTest, FlagsChooseEntriesAndOrder)
{
    EXPECT_EQ((Names{"empty", "f1.txt", "f2.jpg", "sub"}), Walk(FFO_CALLBEFORE));
    EXPECT_EQ((Names{"f1.txt", "f2.jpg"}), Walk(FFO_CALLBEFORE | FFO_FILESONLY));
    EXPECT_EQ((Names{"f1.txt"}), Walk(FFO_CALLAFTER, "*.txt"));
    EXPECT_EQ((Names{"empty", "f1.txt", "f2.jpg", "sub", "sub\\deeper", "sub\\deeper\\h1.txt", "sub\\g1.txt"}),
              Walk(FFO_CALLBEFORE | FFO_RECURSE));
    EXPECT_LT(rec.IndexOf("sub"), rec.IndexOf("sub\\g1.txt")) << "before descending";
    Walk(FFO_CALLAFTER | FFO_RECURSE);
    EXPECT_GT(rec.IndexOf("sub"), rec.IndexOf("sub\\deeper\\h1.txt")) << "after descending";
    EXPECT_EQ((Names{"f1.txt", "f1.txt", "f2.jpg", "f2.jpg", "sub\\deeper\\h1.txt", "sub\\deeper\\h1.txt",
                     "sub\\g1.txt", "sub\\g1.txt"}),
              Walk(FFO_CALLBEFORE | FFO_CALLAFTER | FFO_RECURSE | FFO_FILESONLY));
    // The pattern also chooses the folders that are entered.
    EXPECT_EQ((Names{"f1.txt"}), Walk(FFO_CALLBEFORE | FFO_RECURSE, "*.txt"));
    // The dots are reported but never entered: "." and ".." in each of the four folders.
    EXPECT_EQ(7u + 2u * 4u, Walk(FFO_CALLBEFORE | FFO_RECURSE | FFO_DOTS).size());
    // A missing folder calls nothing.
    ForEachFileObject(FFO_CALLBEFORE | FFO_RECURSE, (dir / "missing").c_str(), nullptr, Recorder::Callback, &rec);
    EXPECT_EQ(15u, rec.calls.size());
}

TEST_F(ForEachFileObjectTest, ZeroEndsTheWalkOfThatFolderOnly)
{
    rec.stopAtCall = 0;
    EXPECT_EQ(1u, Walk(FFO_CALLBEFORE).size());
    // A stop inside a subfolder does not stop its parent.
    rec.stopAtCall = -1;
    rec.stopAt = "sub\\g"; // every file of sub answers 0
    ASSERT_TRUE(WriteFileBytes(dir / "sub\\g2.txt", "x", 1));
    ASSERT_TRUE(WriteFileBytes(dir / "sub\\g3.txt", "x", 1));
    Walk(FFO_CALLBEFORE | FFO_RECURSE | FFO_FILESONLY);
    int inSub = 0;
    for (const std::string& c : rec.calls)
        inSub += c.compare(0, 4, "sub\\") == 0 && c.find("deeper") == std::string::npos;
    EXPECT_EQ(1, inSub);
    EXPECT_NE(-1, rec.IndexOf("f1.txt"));
    EXPECT_NE(-1, rec.IndexOf("f2.jpg"));
    // The result of the call after descending replaces the one before.
    struct Alternate {
        int n = 0;
        static int Callback(const char*, const WIN32_FIND_DATAA*, void* user)
        {
            Alternate* a = static_cast<Alternate*>(user);
            return a->n++ % 2; // 0 before, 1 after
        }
    } alternate;
    ForEachFileObject(FFO_CALLBEFORE | FFO_CALLAFTER, dir.Path().c_str(), nullptr, Alternate::Callback, &alternate);
    EXPECT_EQ(8, alternate.n);
}

TEST_F(ForEachFileObjectTest, DeleteRemovesFilesOnly)
{
    EXPECT_EQ(4u, Walk(FFO_DELETE | FFO_RECURSE | FFO_FILESONLY | FFO_CALLAFTER).size());
    for (const char* f : {"f1.txt", "f2.jpg", "sub\\g1.txt", "sub\\deeper\\h1.txt"})
        EXPECT_FALSE(Exists(f)) << f;
    for (const char* d : {"sub", "sub\\deeper", "empty"})
        EXPECT_TRUE(Exists(d)) << d;
}

