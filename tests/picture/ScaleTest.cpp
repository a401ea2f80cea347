// Area-averaging reduction on memory pixel buffers: every target pixel is the mean of the
// source area it covers, whatever the ratio, layout (24 or 32 bits, bottom-up, padded rows)
// and direction.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>
#include "picture/AreaScaler.h"

namespace {

using Colour = std::function<unsigned(int, int)>;

// A source buffer of one layout, filled by colour(x, y) = 0x00RRGGBB.
struct Source {
    std::vector<BYTE> bytes;
    PixelView view;
    Source(int w, int h, int bpp, bool bottomUp, const Colour& colour)
    {
        const int stride = (w * bpp + 3 + 4) & ~3; // padded, with a spare word
        bytes.assign(static_cast<size_t>(stride) * h, 0xEE);
        view = {bytes.data() + (bottomUp ? (h - 1) * stride : 0), w, h, bottomUp ? -stride : stride, bpp};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                unsigned c = colour(x, y);
                BYTE* p = view.Row(y) + x * bpp;
                p[0] = c & 0xFF, p[1] = (c >> 8) & 0xFF, p[2] = (c >> 16) & 0xFF;
            }
    }
};

std::vector<unsigned> Scale(const Source& src, int w, int h)
{
    std::vector<unsigned> out(static_cast<size_t>(w) * h, 0xDEADBEEF);
    PixelView dst = {reinterpret_cast<BYTE*>(out.data()), w, h, w * 4, 4};
    EXPECT_TRUE(AreaScaler(src.view.width, src.view.height, w, h).Scale(src.view, dst, 1));
    return out;
}

int Channel(unsigned c, int shift) { return (c >> shift) & 0xFF; }

// The share of source pixel i of n in target pixel d of size.
double Cover(int i, int d, int n, int size)
{
    const double lo = static_cast<double>(d) * n / size, hi = static_cast<double>(d + 1) * n / size;
    const double a = i > lo ? i : lo, b = i + 1 < hi ? i + 1 : hi;
    return b > a ? b - a : 0.0;
}

// How far the channels of the scaled pixels (the unused fourth byte included) lie from the
// mean of the source area each covers, computed directly with fractional coverage in doubles.
int WorstDiff(int sw, int sh, const Colour& colour, int w, int h, const std::vector<unsigned>& out)
{
    int worst = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int shift : {0, 8, 16, 24}) {
                double sum = 0, area = 0;
                for (int j = y * sh / h; j < sh && j * h < (y + 1) * sh; ++j)
                    for (int i = x * sw / w; i < sw && i * w < (x + 1) * sw; ++i) {
                        const double a = Cover(i, x, sw, w) * Cover(j, y, sh, h);
                        sum += a * Channel(colour(i, j), shift);
                        area += a;
                    }
                const int mean = static_cast<int>(sum / area + 0.5);
                worst = std::max(worst, abs(mean - Channel(out[y * w + x], shift)));
            }
    return worst;
}

} // namespace

// A plain area stays exact; stripes of one pixel, random pixels and bright points on a dark
// ground keep their means. At large shrink ratios along either axis, where weights of 1/256
// round, the plain area and the points are checked (no weight goes below zero and none gets
// more than its share).
TEST(AreaScaler, EachPixelIsTheMeanOfTheAreaItCovers)
{
    srand(11);
    struct Case { int sw, sh, w, h, bpp; bool bottomUp, large = false; };
    std::vector<Case> cases = {
        {10, 10, 3, 3, 4, false}, {9, 7, 4, 5, 3, true},  {1, 1, 1, 1, 3, false},
        {17, 3, 1, 1, 4, true},   {5, 4, 13, 9, 4, false}, {401, 301, 400, 300, 3, false},
        {97, 61, 30, 20, 4, false}, {64, 48, 64, 48, 3, true}, {50, 50, 7, 49, 4, false},
        {33, 20, 10, 20, 3, false},
    };
    const int large[][2] = {{5184, 152}, {3000, 152}, {9000, 152}, {30400, 152}, {1000, 3},
                            {4096, 17},  {6016, 151}, {640, 27},   {100, 99},    {7, 100}};
    for (const auto& s : large) {
        cases.push_back({s[0], 1, s[1], 1, 3, false, true});
        cases.push_back({1, s[0], 1, s[1], 3, false, true});
    }
    for (const Case& c : cases) {
        std::vector<unsigned> noise(static_cast<size_t>(c.sw) * c.sh);
        for (unsigned& p : noise)
            p = static_cast<unsigned>(rand() & 0xFF) << 16 | (rand() & 0xFF) << 8 | (rand() & 0xFF);
        const struct { const char* what; Colour colour; int tolerance; bool large; } patterns[] = {
            {"plain", [](int, int) { return 0x00C81E64u; }, 0, true},
            {"stripes", [](int x, int) { return x % 2 ? 0x00FFFFFFu : 0u; }, 2, false},
            {"noise", [&](int x, int y) { return noise[y * c.sw + x]; }, 2, false},
            {"points", [](int x, int y) { return (x + y) % 37 == 5 ? 0xFFFFFFu : 0x101010u; }, 2, true},
        };
        for (const auto& p : patterns) {
            if (c.large && !p.large)
                continue;
            SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " to " << c.w << "x" << c.h << ", "
                                            << c.bpp * 8 << " bits, " << p.what);
            Source src(c.sw, c.sh, c.bpp, c.bottomUp, p.colour);
            EXPECT_LE(WorstDiff(c.sw, c.sh, p.colour, c.w, c.h, Scale(src, c.w, c.h)), p.tolerance);
        }
    }
    // Sizes that cannot be scaled are refused.
    Source one(2, 2, 4, false, [](int, int) { return 0u; });
    std::vector<unsigned> out(4);
    PixelView dst = {reinterpret_cast<BYTE*>(out.data()), 2, 2, 8, 4};
    EXPECT_FALSE(AreaScaler(3, 2, 2, 2).Scale(one.view, dst, 1));
    EXPECT_FALSE(AreaScaler(0, 2, 2, 2).Scale(one.view, dst, 1));
}
