#include "picture/ExifOrientation.h"
#include <cstring>
#include <new>
#include <utility>
#include "base/MemHolders.h"

namespace {

const WORD kOrientationTag = 0x0112;
const WORD kTypeShort = 3;
const WORD kTypeAscii = 2;
const WORD kTypeLong = 4;
const WORD kDateTimeTag = 0x0132;
const WORD kExifIfdTag = 0x8769;
const WORD kDateTimeOriginalTag = 0x9003;
const DWORD kDateReadSize = 64 * 1024;
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

    // The entry of a directory with the tag: its type, count and where its value lies
    // (in the entry itself when it fits 4 bytes, else at the offset the entry holds).
    bool FindEntry(size_t ifd, unsigned tag, unsigned& type, unsigned long& count, size_t& valueAt) const
    {
        unsigned entries;
        if (!Word(ifd, entries))
            return false;
        for (unsigned i = 0; i < entries; ++i) {
            const size_t entry = ifd + 2 + static_cast<size_t>(i) * 12;
            unsigned t;
            if (!Word(entry, t) || !Word(entry + 2, type) || !Long(entry + 4, count))
                return false;
            if (t != tag)
                continue;
            unsigned long offset;
            if (type == kTypeAscii && count > 4) {
                if (!Long(entry + 8, offset))
                    return false;
                valueAt = offset;
            } else {
                valueAt = entry + 8;
            }
            return true;
        }
        return false;
    }
    // "YYYY:MM:DD HH:MM:SS" at the value of an ASCII entry.
    bool Date(size_t at, unsigned long count, SYSTEMTIME& when) const
    {
        if (count < 19 || at > n || n - at < 19)
            return false;
        const BYTE* s = p + at;
        int v[6];
        static const int kAt[6] = {0, 5, 8, 11, 14, 17}, kLen[6] = {4, 2, 2, 2, 2, 2};
        for (int f = 0; f < 6; ++f) {
            v[f] = 0;
            for (int k = 0; k < kLen[f]; ++k) {
                BYTE c = s[kAt[f] + k];
                if (c < '0' || c > '9')
                    return false;
                v[f] = v[f] * 10 + (c - '0');
            }
        }
        if (v[0] < 1601 || v[1] < 1 || v[1] > 12 || v[2] < 1 || v[2] > 31 || v[3] > 23 || v[4] > 59 || v[5] > 59)
            return false;
        when = SYSTEMTIME();
        when.wYear = static_cast<WORD>(v[0]);
        when.wMonth = static_cast<WORD>(v[1]);
        when.wDay = static_cast<WORD>(v[2]);
        when.wHour = static_cast<WORD>(v[3]);
        when.wMinute = static_cast<WORD>(v[4]);
        when.wSecond = static_cast<WORD>(v[5]);
        // The day of the week, and a check that the day exists in its month.
        FILETIME ft;
        SYSTEMTIME back;
        if (!SystemTimeToFileTime(&when, &ft) || !FileTimeToSystemTime(&ft, &back) || back.wDay != when.wDay)
            return false;
        when = back;
        return true;
    }

private:
    const BYTE* p;
    size_t n;
    bool bBigEndian;
};

// The body of the EXIF APP1 segment among the first bytes of a JPEG file.
bool FindExifSegment(const BYTE* jpeg, size_t n, const BYTE*& body, size_t& size)
{
    if (n < 4 || jpeg[0] != 0xFF || jpeg[1] != 0xD8)
        return false;
    size_t at = 2;
    for (int i = 0; i < kMaxSegments; ++i) {
        while (at < n && jpeg[at] == 0xFF && at + 1 < n && jpeg[at + 1] == 0xFF)
            ++at; // fill bytes
        if (n - at < 4 || jpeg[at] != 0xFF)
            return false;
        const BYTE marker = jpeg[at + 1];
        if (marker == 0xDA || marker == 0xD9)
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2;
            continue;
        }
        const size_t len = (jpeg[at + 2] << 8) | jpeg[at + 3];
        if (len < 2 || len - 2 > n - at - 4)
            return false;
        if (marker == 0xE1 && len - 2 >= 6 && memcmp(jpeg + at + 4, "Exif\0\0", 6) == 0) {
            body = jpeg + at + 4;
            size = len - 2;
            return true;
        }
        at += 2 + len;
    }
    return false;
}

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

bool ExifDateOf(const BYTE* data, size_t size, SYSTEMTIME& when)
{
    static const char kHeader[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (!data || size < sizeof kHeader || memcmp(data, kHeader, sizeof kHeader) != 0)
        return false;
    TiffData tiff(data + sizeof kHeader, size - sizeof kHeader);
    size_t ifd, at;
    unsigned type;
    unsigned long count, exifIfd;
    if (!tiff.ReadHeader(ifd))
        return false;
    if (tiff.FindEntry(ifd, kExifIfdTag, type, count, at) && type == kTypeLong && count == 1 &&
        tiff.Long(at, exifIfd) && exifIfd != ifd &&
        tiff.FindEntry(exifIfd, kDateTimeOriginalTag, type, count, at) && type == kTypeAscii &&
        tiff.Date(at, count, when))
        return true;
    return tiff.FindEntry(ifd, kDateTimeTag, type, count, at) && type == kTypeAscii && tiff.Date(at, count, when);
}

bool ReadExifDate(FwFile& file, SYSTEMTIME& when)
{
    HeapBuffer head(kDateReadSize);
    DWORD got = 0;
    if (!head.Get())
        return false;
    file.ReadBin(head.Bytes(), kDateReadSize, &got); // a shorter file reads short
    const BYTE* body;
    size_t size;
    return FindExifSegment(head.Bytes(), got, body, size) && ExifDateOf(body, size, when);
}
