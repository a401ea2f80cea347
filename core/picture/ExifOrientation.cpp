#include "picture/ExifOrientation.h"
#include <cstring>
#include <new>
#include <utility>
#include "base/MemHolders.h"

namespace {

const WORD kOrientationTag = 0x0112;
const WORD kTypeShort = 3;
const int kMaxSegments = 64; // markers looked at before the first scan

// Reads of the TIFF data in its own byte order, each checked against its size.
class TiffData {
public:
    TiffData(const BYTE* data, size_t size) : p(data), n(size), bBigEndian(false) {}

    bool ReadHeader(size_t& firstIfd)
    {
        if (n < 8)
            return false;
        if (p[0] == 'I' && p[1] == 'I')
            bBigEndian = false;
        else if (p[0] == 'M' && p[1] == 'M')
            bBigEndian = true;
        else
            return false;
        unsigned long offset;
        unsigned magic;
        if (!Word(2, magic) || magic != 42 || !Long(4, offset))
            return false;
        firstIfd = offset;
        return true;
    }
    bool Word(size_t at, unsigned& value) const
    {
        if (at > n || n - at < 2)
            return false;
        value = bBigEndian ? (p[at] << 8) | p[at + 1] : p[at] | (p[at + 1] << 8);
        return true;
    }
    bool Long(size_t at, unsigned long& value) const
    {
        unsigned high, low;
        if (!Word(at, low) || !Word(at + 2, high))
            return false;
        if (bBigEndian)
            std::swap(high, low);
        value = (static_cast<unsigned long>(high) << 16) | low;
        return true;
    }

private:
    const BYTE* p;
    size_t n;
    bool bBigEndian;
};

} // namespace

int ExifOrientationOf(const BYTE* data, size_t size)
{
    static const char kHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (!data || size < sizeof kHeader || memcmp(data, kHeader, sizeof kHeader) != 0)
        return 1;
    TiffData tiff(data + sizeof kHeader, size - sizeof kHeader);
    size_t ifd;
    unsigned count;
    if (!tiff.ReadHeader(ifd) || !tiff.Word(ifd, count))
        return 1;
    // The first directory's entries: tag, type, count and value, 12 bytes each.
    for (unsigned i = 0; i < count; ++i) {
        const size_t entry = ifd + 2 + static_cast<size_t>(i) * 12;
        unsigned tag, type, value;
        unsigned long n;
        if (!tiff.Word(entry, tag) || !tiff.Word(entry + 2, type) || !tiff.Long(entry + 4, n) ||
            !tiff.Word(entry + 8, value))
            return 1;
        if (tag != kOrientationTag)
            continue;
        return type == kTypeShort && n == 1 && value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
    }
    return 1;
}

int ReadExifOrientation(FwFile& file)
{
    BYTE soi[2];
    if (!file.ReadBin(soi, 2) || soi[0] != 0xFF || soi[1] != 0xD8)
        return 1;
    for (int i = 0; i < kMaxSegments; ++i) {
        BYTE marker[2];
        if (!file.ReadBin(marker, 2) || marker[0] != 0xFF)
            return 1;
        while (marker[1] == 0xFF) // fill bytes before a marker
            if (!file.ReadBin(marker + 1, 1))
                return 1;
        if (marker[1] == 0xDA || marker[1] == 0xD9)
            return 1; // the scan or the end: no orientation before it
        if (marker[1] == 0x01 || (marker[1] >= 0xD0 && marker[1] <= 0xD7))
            continue; // markers without a length
        BYTE len[2];
        if (!file.ReadBin(len, 2))
            return 1;
        const DWORD body = ((len[0] << 8) | len[1]);
        if (body < 2)
            return 1;
        if (marker[1] != 0xE1) {
            file.Skip(static_cast<int>(body - 2));
            continue;
        }
        HeapBuffer data(body - 2 + 1);
        if (!data.Get() || !file.ReadBin(data.Bytes(), body - 2))
            return 1;
        if (body - 2 >= 6 && memcmp(data.Get(), "Exif\0\0", 6) == 0)
            return ExifOrientationOf(data.Bytes(), body - 2);
        // Another APP1 (XMP, say): the EXIF one may still follow.
    }
    return 1;
}
