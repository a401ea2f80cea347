// Area-averaging reduction on memory pixel buffers: plain areas stay exact, fine stripes
// average to grey instead of dropping pixels, and every target pixel is the mean of the
// source area it covers, whatever the ratio, layout (24 or 32 bits, bottom-up, padded
// rows) and direction.
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <vector>
#include "picture/AreaScaler.h"

namespace {

// A source buffer of one layout, filled by colour(x, y) = 0x00RRGGBB.
struct Source {
    std::vector<BYTE> bytes;
    PixelView view;
    template <class F>
    Source(int w, int h, int bpp, bool bottomUp, F colour) : bytes()
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

} // namespace

TEST(AreaScaler, PlainAreasStayExactAndStripesTurnGrey)
{
    struct Case { int sw, sh, w, h, bpp; bool bottomUp; };
    const Case cases[] = {{10, 10, 3, 3, 4, false}, {9, 7, 4, 5, 3, true}, {1, 1, 1, 1, 3, false},
                          {17, 3, 1, 1, 4, true},   {401, 301, 400, 300, 3, false}, {5, 4, 13, 9, 4, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sw << "x" << c.sh << " to " << c.w << "x" << c.h << " " << c.bpp * 8 << " bits");
        Source plain(c.sw, c.sh, c.bpp, c.bottomUp, [](int, int) { return 0x00C81E64u; });
        for (unsigned p : Scale(plain, c.w, c.h))
            ASSERT_EQ(0x00C81E64u, p);
        if (c.w * 2 > c.sw)
            continue; // stripes of one pixel only average when at least two fall in a target pixel
        Source stripes(c.sw, c.sh, c.bpp, c.bottomUp, [](int x, int) { return x % 2 ? 0x00FFFFFFu : 0u; });
        for (unsigned p : Scale(stripes, c.w, c.h))
            ASSERT_NEAR(128, Channel(p, 8), 128 * c.w / c.sw + 2) << std::hex << p;
    }
    // Sizes that cannot be scaled are refused.
    Source one(2, 2, 4, false, [](int, int) { return 0u; });
    std::vector<unsigned> out(4);
    PixelView dst = {reinterpret_cast<BYTE*>(out.data()), 2, 2, 8, 4};
    EXPECT_FALSE(AreaScaler(3, 2, 2, 2).Scale(one.view, dst, 1));
    EXPECT_FALSE(AreaScaler(0, 2, 2, 2).Scale(one.view, dst, 1));
}

// The mean of the covered area, computed directly with fractional coverage in doubles.
TEST(AreaScaler, EachPixelIsTheMeanOfTheAreaItCovers)
{
    srand(11);
    const int sizes[][4] = {{97, 61, 30, 20}, {64, 48, 64, 48}, {50, 50, 7, 49}, {33, 20, 10, 20}};
    for (const auto& s : sizes) {
        const int sw = s[0], sh = s[1], w = s[2], h = s[3];
        std::vector<unsigned> pixels(static_cast<size_t>(sw) * sh);
        for (unsigned& p : pixels)
            p = static_cast<unsigned>(rand() & 0xFF) << 16 | static_cast<unsigned>(rand() & 0xFF) << 8 | (rand() & 0xFF);
        Source src(sw, sh, 4, false, [&](int x, int y) { return pixels[y * sw + x]; });
        std::vector<unsigned> out = Scale(src, w, h);
        auto cover = [](int i, int d, int n, int size) { // share of source pixel i in target pixel d
            double lo = static_cast<double>(d) * n / size, hi = static_cast<double>(d + 1) * n / size;
            double a = i > lo ? i : lo, b = i + 1 < hi ? i + 1 : hi;
            return b > a ? b - a : 0.0;
        };
        int worst = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                for (int shift : {0, 8, 16}) {
                    double sum = 0, area = 0;
                    for (int j = 0; j < sh; ++j)
                        for (int i = 0; i < sw; ++i) {
                            double a = cover(i, x, sw, w) * cover(j, y, sh, h);
                            sum += a * Channel(pixels[j * sw + i], shift);
                            area += a;
                        }
                    int diff = abs(static_cast<int>(sum / area + 0.5) - Channel(out[y * w + x], shift));
                    worst = diff > worst ? diff : worst;
                }
        EXPECT_LE(worst, 2) << sw << "x" << sh << " to " << w << "x" << h;
    }
}

// Large shrink ratios along either axis: bright points on a dark ground keep the mean of the
// area each target pixel covers (no weight goes below zero and none gets more than its share).
TEST(AreaScaler, LargeRatiosKeepTheMeanOfBrightPoints)
{
    const int sizes[][2] = {{5184, 152}, {3000, 152}, {9000, 152}, {30400, 152}, {1000, 3},
                            {4096, 17},  {6016, 151}, {640, 27},   {100, 99},    {7, 100}};
    for (const auto& s : sizes) {
        const int n = s[0], size = s[1];
        auto level = [](int i) { return i % 37 == 5 ? 255 : 16; };
        for (bool across : {true, false}) {
            SCOPED_TRACE(testing::Message() << n << " to " << size << (across ? " across" : " down"));
            Source src(across ? n : 1, across ? 1 : n, 3, false,
                       [&](int x, int y) { return static_cast<unsigned>(level(x + y)) * 0x010101u; });
            std::vector<unsigned> out = Scale(src, across ? size : 1, across ? 1 : size);
            int worst = 0;
            for (int d = 0; d < size; ++d) {
                const double lo = static_cast<double>(d) * n / size, hi = static_cast<double>(d + 1) * n / size;
                double sum = 0;
                for (int i = static_cast<int>(lo); i < n && i < hi; ++i)
                    sum += ((i + 1 < hi ? i + 1 : hi) - (i > lo ? i : lo)) * level(i);
                const int want = static_cast<int>(sum / (hi - lo) + 0.5);
                for (int shift : {0, 8, 16})
                    worst = std::max(worst, abs(want - Channel(out[d], shift)));
            }
            EXPECT_LE(worst, 2);
        }
    }
}
