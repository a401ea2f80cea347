// FwFile on real files: exact-count reads and writes, positions, sizes, mapping; and
// FwFileStream over it as the picture loader sees it.
#include <gtest/gtest.h>
#include "picture/FwFile.h"
#include "picture/FwFileStream.h"
#include "TestUtil.h"

TEST(FwFile, ExactCountsPositionsSizesAndMapping)
{
    ScratchDir dir;
    std::string path = dir / "values.bin", copy = dir / "copy.bin";
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
    // Six bytes copied (the one left is too few for six more), cut to four and mapped.
    file.MoveTo(0);
    {
        FwFile out(copy.c_str(), 1);
        EXPECT_EQ(1, out.CopyBinFrom(file, bytes, 6));
        EXPECT_EQ(0, out.CopyBinFrom(file, bytes, 6));
        EXPECT_EQ(4u, out.MoveTo(4));
        EXPECT_EQ(1, out.SetEndOfFile());
        ASSERT_EQ(1, out.OpenMap());
        EXPECT_EQ(0, memcmp(out.pView, "\x11\x22\x33\x44", 4));
        out.Close();
        EXPECT_EQ(nullptr, out.pView);
    }
    EXPECT_EQ(4u, FwFile::GetSize(copy.c_str()));
    EXPECT_EQ(1, FwFile::Delete(copy.c_str()));
    EXPECT_EQ(0u, FwFile::GetSize(copy.c_str()));
    EXPECT_EQ(0, file.Open(copy.c_str(), 0));
}

TEST(FwFileStream, ReadsAndThirtyTwoBitSeeks)
{
    ScratchDir dir;
    ASSERT_TRUE(WriteFileBytes(dir / "data.bin", "0123456789", 10));
    FwFile file;
    ASSERT_TRUE(file.Open((dir / "data.bin").c_str(), 0));
    FwFileStream stream(&file);
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
        EXPECT_EQ(c.hr == S_OK ? c.next - '0' : 0, static_cast<int>(pos.QuadPart));
        char next = 0;
        EXPECT_EQ(S_OK, stream.Read(&next, 1, nullptr));
        EXPECT_EQ(c.next, next);
    }
}
