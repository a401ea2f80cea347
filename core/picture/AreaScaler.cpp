#include "picture/AreaScaler.h"
#include <algorithm>
#include <cstring>

namespace {

// Weights are in 1/256: a channel weighted and summed stays within 16 bits.
const int kBits = 8;

// Where the pixels of a stored row land in the turned target: the first pixel's place and
// the step in bytes from one pixel to the next. Orientations as in EXIF: 2 mirrored, 3
// turned half round, 4 flipped, 5 mirrored along the diagonal, 6 turned a quarter to the
// right, 7 mirrored along the other diagonal, 8 turned a quarter to the left.
BYTE* RowPlace(const PixelView& dst, int orientation, int row, ptrdiff_t& step)
{
    const int w = dst.width, h = dst.height;
    switch (orientation) {
    case 2: step = -4; return dst.Row(row) + (w - 1) * 4;
    case 3: step = -4; return dst.Row(h - 1 - row) + (w - 1) * 4;
    case 4: step = 4; return dst.Row(h - 1 - row);
    case 5: step = dst.stride; return dst.Row(0) + row * 4;
    case 6: step = dst.stride; return dst.Row(0) + (w - 1 - row) * 4;
    case 7: step = -dst.stride; return dst.Row(h - 1) + (w - 1 - row) * 4;
    case 8: step = -dst.stride; return dst.Row(h - 1) + row * 4;
    default: step = 4; return dst.Row(row);
    }
}

} // namespace

void AreaScaler::Axis::Make(int srcSize, int size, int bits)
{
    // Source pixel i covers [i * size, (i + 1) * size) and target pixel d covers
    // [d * srcSize, (d + 1) * srcSize) on a common scale; a weight is the overlap's share.
    // Each weight is the step between two rounded running totals of the shares, so the
    // weights never go below zero and always sum to exactly one, at any ratio.
    const long long one = 1ll << bits;
    first.resize(size);
    start.resize(size + 1);
    weights.clear();
    for (int d = 0; d < size; ++d) {
        const long long lo = static_cast<long long>(d) * srcSize;
        const long long hi = lo + srcSize;
        const int i0 = static_cast<int>(lo / size);
        const int i1 = static_cast<int>((hi - 1) / size);
        first[d] = i0;
        start[d] = static_cast<int>(weights.size());
        long long total = 0; // the rounded share of [lo, end of pixel i)
        for (int i = i0; i <= i1; ++i) {
            const long long to = std::min(static_cast<long long>(i + 1) * size, hi);
            const long long next = ((to - lo) * one + srcSize / 2) / srcSize;
            weights.push_back(static_cast<unsigned>(next - total));
            total = next;
        }
    }
    start[size] = static_cast<int>(weights.size());
}

AreaScaler::AreaScaler(int srcWidth, int srcHeight, int width, int height)
    : nSrcWidth(srcWidth), nSrcHeight(srcHeight), nWidth(width), nHeight(height)
{
    if (srcWidth <= 0 || srcHeight <= 0 || width <= 0 || height <= 0)
        nSrcWidth = nSrcHeight = nWidth = nHeight = 0;
    across.Make(nSrcWidth, nWidth, kBits);
    down.Make(nSrcHeight, nHeight, kBits);
}

bool AreaScaler::Scale(const PixelView& src, const PixelView& dst, int orientation) const
{
    class Rows : public ScaleSource {
    public:
        explicit Rows(const PixelView& view) : view(view) {}
        const BYTE* Row(int y) override { return view.Row(y); }

    private:
        const PixelView& view;
    } rows(src);
    if (src.width != nSrcWidth || src.height != nSrcHeight)
        return false;
    return Scale(rows, src.bytesPerPixel, dst, orientation);
}

bool AreaScaler::Scale(ScaleSource& src, int bytesPerPixel, const PixelView& dst, int orientation) const
{
    if (orientation < 1 || orientation > 8)
        orientation = 1;
    const bool turned = orientation >= 5;
    if (!nWidth || dst.bytesPerPixel != 4 || dst.width != (turned ? nHeight : nWidth) ||
        dst.height != (turned ? nWidth : nHeight))
        return false;
    if (bytesPerPixel == 4)
        return ScaleRows<4>(src, dst, orientation);
    if (bytesPerPixel == 3)
        return ScaleRows<3>(src, dst, orientation);
    return false;
}

namespace {

// A source pixel as 0x00RRGGBB.
template <int Bpp>
inline unsigned Pixel(const BYTE* p);
template <>
inline unsigned Pixel<4>(const BYTE* p)
{
    unsigned value;
    memcpy(&value, p, 4);
    return value & 0x00FFFFFF;
}
template <>
inline unsigned Pixel<3>(const BYTE* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

// Adds a source row weighted by w into the sums of blue and red (side by side in one word)
// and of green; with weights summing to 256 no lane overflows.
template <int Bpp>
void AddRow(const BYTE* line, unsigned w, unsigned* redBlue, unsigned* green, int n)
{
    for (int i = 0; i < n; ++i, line += Bpp) {
        const unsigned p = Pixel<Bpp>(line);
        redBlue[i] += (p & 0x00FF00FF) * w;
        green[i] += (p & 0x0000FF00) * w;
    }
}

// The same loops compiled for processors with SSE2, where the compiler does several pixels
// at a time; chosen at run time, so that older processors keep the plain one. A 24-bit
// pixel is read as a word with the next pixel's first byte masked off; the row's last
// pixel, which may end the buffer, is read by bytes.
template <int Bpp>
__attribute__((target("sse2"))) void AddRowSse2(const BYTE* line, unsigned w, unsigned* redBlue, unsigned* green, int n)
{
    const int words = Bpp == 4 ? n : n - 1;
    for (int i = 0; i < words; ++i, line += Bpp) {
        unsigned p;
        memcpy(&p, line, 4);
        redBlue[i] += (p & 0x00FF00FF) * w;
        green[i] += (p & 0x0000FF00) * w;
    }
    if (Bpp == 3 && n > 0)
        AddRow<3>(line, w, redBlue + n - 1, green + n - 1, 1);
}

bool HasSse2()
{
    return IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) != 0;
}

} // namespace

template <int Bpp>
bool AreaScaler::ScaleRows(ScaleSource& src, const PixelView& dst, int orientation) const
{
    // First down: the source rows of a target row are weighted into one row, blue and red
    // side by side in one word and green in another; with weights summing to 256 no lane
    // overflows. Then across, on that row rounded back to 8 bits a channel.
    std::vector<unsigned> redBlue(nSrcWidth), green(nSrcWidth);
    const bool sse2 = HasSse2();
    for (int y = 0; y < nHeight; ++y) {
        std::fill(redBlue.begin(), redBlue.end(), 0u);
        std::fill(green.begin(), green.end(), 0u);
        const unsigned* wDown = &down.weights[down.start[y]];
        const int rows = down.start[y + 1] - down.start[y];
        for (int k = 0; k < rows; ++k) {
            const BYTE* line = src.Row(down.first[y] + k);
            if (!line)
                return false;
            if (sse2)
                AddRowSse2<Bpp>(line, wDown[k], redBlue.data(), green.data(), nSrcWidth);
            else
                AddRow<Bpp>(line, wDown[k], redBlue.data(), green.data(), nSrcWidth);
        }
        for (int i = 0; i < nSrcWidth; ++i)
            redBlue[i] = (((redBlue[i] + 0x00800080) >> kBits) & 0x00FF00FF) |
                         (((green[i] + 0x00008000) >> kBits) & 0x0000FF00);

        ptrdiff_t step;
        BYTE* out = RowPlace(dst, orientation, y, step);
        const unsigned* w = across.weights.data();
        for (int x = 0; x < nWidth; ++x, out += step) {
            const unsigned* p = &redBlue[across.first[x]];
            const int n = across.start[x + 1] - across.start[x];
            unsigned rb = 0, g = 0;
            for (int k = 0; k < n; ++k, ++w) {
                rb += (p[k] & 0x00FF00FF) * *w;
                g += (p[k] & 0x0000FF00) * *w;
            }
            const unsigned pixel =
                (((rb + 0x00800080) >> kBits) & 0x00FF00FF) | (((g + 0x00008000) >> kBits) & 0x0000FF00);
            memcpy(out, &pixel, 4);
        }
    }
    return true;
}
