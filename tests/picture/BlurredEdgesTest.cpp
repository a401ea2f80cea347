// Blast's drawing into a rectangle of a bigger DC, with and without blurred edges.
#include <gtest/gtest.h>
#include <algorithm>
#include "picture/iPicture.h"
#include "PictureTestUtil.h"

namespace {

const RECT kFrame = {50, 30, 450, 230};

struct Drawn {
    Canvas canvas{500, 260};
    Drawn(const char* fixture, const char* caption, int blur)
    {
        canvas.Fill(RGB(10, 200, 30));
        iPicture().BlastInto(canvas.Dc(), kFrame, Fixture(fixture).c_str(), 1, caption ? "Copyright line" : nullptr,
                             caption, 1, blur);
    }
};

int Brightest(Rgb p) { return std::max({p.r, p.g, p.b}); }

} // namespace

TEST(BlurredEdges, FillTheBarsAroundAnUntouchedPicture)
{
    const struct Case {
        const char *what, *fixture, *caption;
        bool bars; // the picture leaves room at its sides
    } cases[] = {
        {"portrait picture", "halves_240x400.jpg", nullptr, true},
        {"portrait picture with its texts", "halves_240x400.jpg", "Caption", true},
        {"picture of the frame's shape", "green_1000x500.jpg", nullptr, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Drawn plain(c.fixture, c.caption, 0), blurred(c.fixture, c.caption, 1);
        const Canvas &a = plain.canvas, &b = blurred.canvas;
        // Nothing is drawn outside the frame.
        auto green = [](Rgb p) { return p.r == 10 && p.g == 200 && p.b == 30; };
        EXPECT_EQ(500 * 260 - 400 * 200, b.Count(0, 0, 500, 260, green));
        // The picture: where the plain drawing's middle row and left column are not black.
        const int midY = (kFrame.top + kFrame.bottom) / 2;
        RECT pic = {kFrame.right, kFrame.top, kFrame.left, kFrame.top};
        for (int x = kFrame.left; x < kFrame.right; ++x)
            if (!IsBlack(a.Pixel(x, midY)))
                pic.left = std::min<long>(pic.left, x), pic.right = x + 1;
        while (pic.bottom < kFrame.bottom && !IsBlack(a.Pixel(pic.left + 1, pic.bottom)))
            ++pic.bottom;
        ASSERT_LT(pic.left, pic.right);
        int differ = 0;
        for (int y = pic.top; y < pic.bottom; ++y)
            for (int x = pic.left; x < pic.right; ++x)
                differ += memcmp(&a.Bits()[y * 500 + x], &b.Bits()[y * 500 + x], 4) != 0;
        EXPECT_EQ(0, differ) << "the picture itself is untouched";
        if (!c.bars) {
            EXPECT_EQ(a.Snapshot(), b.Snapshot());
            continue;
        }
        // The bars beside the picture: black without the option; with it no pixel is near
        // black, none brighter than the darkened picture, red at the top, blue at the foot.
        auto dark = [](Rgb p) { return Brightest(p) < 16; };
        auto bright = [](Rgb p) { return Brightest(p) > 220 * 115 / 256 + 8; };
        for (const RECT& bar : {RECT{kFrame.left, kFrame.top, pic.left, kFrame.bottom},
                                RECT{pic.right, kFrame.top, kFrame.right, kFrame.bottom}}) {
            const int all = (bar.right - bar.left) * (bar.bottom - bar.top);
            ASSERT_GT(all, 0);
            EXPECT_EQ(all, a.Count(bar.left, bar.top, bar.right, bar.bottom, IsBlack));
            EXPECT_EQ(0, b.Count(bar.left, bar.top, bar.right, bar.bottom, dark));
            EXPECT_EQ(0, b.Count(bar.left, bar.top, bar.right, bar.bottom, bright));
            Rgb top = b.Pixel(bar.left + 2, bar.top + 2), foot = b.Pixel(bar.left + 2, bar.bottom - 3);
            EXPECT_GT(top.r, top.b + 20);
            EXPECT_GT(foot.b, foot.r + 20);
        }
    }
}
