// FwFile on real files: exact-count reads and writes, positions, sizes, mapping.
#include <gtest/gtest.h>
#include "picture/FwFile.h"
#include "TestUtil.h"

TEST(FwFile, WritesAndReadsExactCounts)
{
    ScratchDir dir;
    std::string path = dir / "values.bin";
    {
        FwFile file(path.c_str(), 1); // created when missing
        ASSERT_TRUE(file.IsReady());
        EXPECT_TRUE(file.Write(BYTE(0x11)) && file.Write(WORD(0x3322)) && file.Write(0x77665544));
        EXPECT_EQ(7u, file.GetSize());
    }
    FwFile file(path.c_str(), 0);
    BYTE bytes[10];
    DWORD done = 99;
    ASSERT_EQ(1, file.ReadBin(bytes, 7, &done));
    EXPECT_EQ(7u, done);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(0x11 * (i + 1), bytes[i]) << "little-endian values";
    // Past the end: a short read fails but reports what it got.
    EXPECT_EQ(3u, file.MoveTo(-4, FILE_END));
    EXPECT_EQ(0, file.ReadBin(bytes, 10, &done));
    EXPECT_EQ(4u, done);
    EXPECT_EQ(0, file.Write(BYTE(1))) << "opened for reading only";
}

TEST(FwFile, CopiesTruncatesMapsAndDeletes)
{
    ScratchDir dir;
    std::string src = dir / "src.bin", dst = dir / "dst.bin";
    ASSERT_TRUE(WriteFileBytes(src, "abcdefgh", 8));
    {
        FwFile in(src.c_str(), 0), out(dst.c_str(), 1);
        char buf[8];
        EXPECT_EQ(1, out.CopyBinFrom(in, buf, 6));
        EXPECT_EQ(0, out.CopyBinFrom(in, buf, 6)) << "only 2 bytes left";
        EXPECT_EQ(4u, out.MoveTo(4));
        EXPECT_EQ(1, out.SetEndOfFile());
        ASSERT_EQ(1, out.OpenMap());
        EXPECT_EQ(0, memcmp(out.pView, "abcd", 4));
        out.Close();
        EXPECT_EQ(nullptr, out.pView);
    }
    EXPECT_EQ(4u, FwFile::GetSize(dst.c_str()));
    EXPECT_EQ(1, FwFile::Delete(dst.c_str()));
    EXPECT_EQ(0u, FwFile::GetSize(dst.c_str()));
    FwFile missing;
    EXPECT_EQ(0, missing.Open(dst.c_str(), 0));
}
