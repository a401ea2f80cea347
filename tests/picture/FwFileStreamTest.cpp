// FwFileStream as the picture loader sees it.
#include <gtest/gtest.h>
#include "picture/FwFileStream.h"
#include "TestUtil.h"

TEST(FwFileStream, InterfacesReadsAndThirtyTwoBitSeeks)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteFileBytes(dir / "data.bin", "0123456789", 10));
    FwFile file;
    ASSERT_TRUE(file.Open((dir / "data.bin").c_str(), 0));
    FwFileStream stream(&file);
    void* p = nullptr;
    EXPECT_EQ(S_OK, stream.QueryInterface(IID_IStream, &p));
    EXPECT_EQ(static_cast<IStream*>(&stream), p);
    EXPECT_EQ(E_NOINTERFACE, stream.QueryInterface(IID_ISequentialStream, &p));
    EXPECT_EQ(nullptr, p);

    // A short read at the end is no error; a fault while reading (here: nowhere to put
    // the count) is reported, not raised.
    char buf[16] = {};
    ULONG done = 0;
    EXPECT_EQ(S_OK, stream.Read(buf, 4, &done));
    EXPECT_EQ(S_OK, stream.Read(buf, 16, &done));
    EXPECT_EQ(6u, done);
    EXPECT_STREQ("456789", buf);
    EXPECT_EQ(E_UNEXPECTED, stream.Read(buf, 1, reinterpret_cast<ULONG*>(0x10)));

    // Moves are 32-bit: 2^32 - 1 is taken as -1, 2^32 is refused; so is a move before the
    // start. A refused move leaves the position.
    const struct Case { LONGLONG move; DWORD origin; HRESULT hr; char next; } cases[] = {
        {3, STREAM_SEEK_SET, S_OK, '3'},
        {0x100000000LL, STREAM_SEEK_SET, E_NOTIMPL, '4'},
        {0xFFFFFFFFLL, STREAM_SEEK_CUR, S_OK, '4'},
        {-20, STREAM_SEEK_CUR, STG_E_INVALIDFUNCTION, '5'},
        {-1, STREAM_SEEK_END, S_OK, '9'},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.move);
        LARGE_INTEGER move;
        move.QuadPart = c.move;
        ULARGE_INTEGER pos = {};
        EXPECT_EQ(c.hr, stream.Seek(move, c.origin, &pos));
        if (c.hr == S_OK) {
            EXPECT_EQ(static_cast<ULONGLONG>(c.next - '0'), pos.QuadPart);
        }
        char next = 0;
        EXPECT_EQ(S_OK, stream.Read(&next, 1, nullptr));
        EXPECT_EQ(c.next, next);
    }
}
