// FwFileStream as the picture loader sees it.
#include <gtest/gtest.h>
#include "picture/FwFileStream.h"
#include "TestUtil.h"

class FwFileStreamTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = dir / "data.bin";
        ASSERT_TRUE(WriteFileBytes(path, "0123456789", 10));
        ASSERT_TRUE(file.Open(path.c_str(), 0));
    }
    ScratchDir dir;
    std::string path;
    FwFile file;
};

TEST_F(FwFileStreamTest, AnswersForIUnknownAndIStreamOnlyAndCountsNoReferences)
{
    FwFileStream stream(&file);
    void* p = nullptr;
    EXPECT_EQ(S_OK, stream.QueryInterface(IID_IUnknown, &p));
    EXPECT_EQ(static_cast<IStream*>(&stream), p);
    EXPECT_EQ(S_OK, stream.QueryInterface(IID_IStream, &p));
    EXPECT_EQ(static_cast<IStream*>(&stream), p);
    EXPECT_EQ(E_NOINTERFACE, stream.QueryInterface(IID_ISequentialStream, &p));
    EXPECT_EQ(nullptr, p);
    EXPECT_EQ(1u, stream.AddRef());
    EXPECT_EQ(0u, stream.Release());
    ULARGE_INTEGER u = {};
    STATSTG stat;
    IStream* clone = nullptr;
    EXPECT_EQ(E_NOTIMPL, stream.SetSize(u));
    EXPECT_EQ(E_NOTIMPL, stream.CopyTo(&stream, u, nullptr, nullptr));
    EXPECT_EQ(E_NOTIMPL, stream.Commit(0));
    EXPECT_EQ(E_NOTIMPL, stream.Revert());
    EXPECT_EQ(E_NOTIMPL, stream.LockRegion(u, u, 0));
    EXPECT_EQ(E_NOTIMPL, stream.UnlockRegion(u, u, 0));
    EXPECT_EQ(E_NOTIMPL, stream.Stat(&stat, STATFLAG_NONAME));
    EXPECT_EQ(E_NOTIMPL, stream.Clone(&clone));
}

TEST_F(FwFileStreamTest, ShortReadAtTheEndIsNoError)
{
    FwFileStream stream(&file);
    char buf[16] = {};
    ULONG done = 0;
    EXPECT_EQ(S_OK, stream.Read(buf, 4, &done));
    EXPECT_EQ(4u, done);
    EXPECT_EQ(S_OK, stream.Read(buf, 16, &done));
    EXPECT_EQ(6u, done);
    EXPECT_STREQ("456789", buf);
    // A fault while reading (here: nowhere to put the count) is reported, not raised.
    EXPECT_EQ(E_UNEXPECTED, stream.Read(buf, 1, reinterpret_cast<ULONG*>(0x10)));
}

TEST_F(FwFileStreamTest, SeekTakesThirtyTwoBitMoves)
{
    FwFileStream stream(&file);
    LARGE_INTEGER move;
    ULARGE_INTEGER pos;
    move.QuadPart = -1;
    ASSERT_EQ(S_OK, stream.Seek(move, STREAM_SEEK_END, &pos));
    EXPECT_EQ(9u, pos.QuadPart);
    char c = 0;
    EXPECT_EQ(S_OK, stream.Read(&c, 1, nullptr));
    EXPECT_EQ('9', c);

    move.QuadPart = 0x100000000LL;
    EXPECT_EQ(E_NOTIMPL, stream.Seek(move, STREAM_SEEK_SET, &pos));
    move.QuadPart = -0x80000001LL;
    EXPECT_EQ(E_NOTIMPL, stream.Seek(move, STREAM_SEEK_CUR, &pos));
    // 2^32 - 1 is in range and taken as -1.
    move.QuadPart = 0xFFFFFFFFLL;
    ASSERT_EQ(S_OK, stream.Seek(move, STREAM_SEEK_CUR, &pos));
    EXPECT_EQ(9u, pos.QuadPart);
    // A move before the start is refused and reported as such.
    move.QuadPart = -20;
    EXPECT_TRUE(FAILED(stream.Seek(move, STREAM_SEEK_CUR, &pos)));
    move.QuadPart = 3;
    ASSERT_EQ(S_OK, stream.Seek(move, STREAM_SEEK_SET, nullptr));
    EXPECT_EQ(S_OK, stream.Read(&c, 1, nullptr));
    EXPECT_EQ('3', c);
}
