// FwFileStream as the picture loader sees it.
#include <gtest/gtest.h>
#include "picture/FwFileStream.h"
#include "TestUtil.h"

TEST(FwFileStream, InterfacesReadsAndThirtyTwoBitSeeks)
{
    ScratchDir dir;
    std::string path = dir / "data.bin";
    ASSERT_TRUE(WriteFileBytes(path, "0123456789", 10));
    FwFile file;
    ASSERT_TRUE(file.Open(path.c_str(), 0));
    FwFileStream stream(&file);
    void* p = nullptr;
    EXPECT_EQ(S_OK, stream.QueryInterface(IID_IStream, &p));
    EXPECT_EQ(static_cast<IStream*>(&stream), p);
    EXPECT_EQ(E_NOINTERFACE, stream.QueryInterface(IID_ISequentialStream, &p));
    EXPECT_EQ(nullptr, p);
    EXPECT_EQ(1u, stream.AddRef()) << "no reference counting";
    EXPECT_EQ(0u, stream.Release());

    // A short read at the end is no error; a fault while reading (here: nowhere to put
    // the count) is reported, not raised.
    char buf[16] = {};
    ULONG done = 0;
    EXPECT_EQ(S_OK, stream.Read(buf, 4, &done));
    EXPECT_EQ(S_OK, stream.Read(buf, 16, &done));
    EXPECT_EQ(6u, done);
    EXPECT_STREQ("456789", buf);
    EXPECT_EQ(E_UNEXPECTED, stream.Read(buf, 1, reinterpret_cast<ULONG*>(0x10)));

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
