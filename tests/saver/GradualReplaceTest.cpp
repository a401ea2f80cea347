// Gradual replacement: the direction and style rule, strip and interlaced patterns replacing
// the whole picture in order, stopping on pending input and pausing by the pace.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <algorithm>
#include <vector>
#include "GradualReplace.h"
#include "TestUtil.h"

namespace {

// Answers "input pending" at the given call of the check, and notes when each call came, in
// ms by the performance counter (the tick count can lag behind on a loaded machine).
struct StopAfter {
    int stopAt = 1 << 30;
    std::vector<double> times;
    static int Check(void* p)
    {
        StopAfter* s = static_cast<StopAfter*>(p);
        LARGE_INTEGER now, freq;
        QueryPerformanceCounter(&now);
        QueryPerformanceFrequency(&freq);
        s->times.push_back(now.QuadPart * 1000.0 / freq.QuadPart);
        return static_cast<int>(s->times.size()) >= s->stopAt;
    }
};

// Copies gradually from a source with every pixel numbered into an old picture; which pixels
// were copied.
std::vector<bool> Copy(int w, int h, int dir, int style, StopAfter& stop, int expectResult, DWORD pace = 0)
{
    Canvas src(w, h), dst(w, h);
    DWORD* bits = src.Bits();
    for (int i = 0; i < w * h; ++i)
        bits[i] = 0x00010000u + static_cast<DWORD>(i);
    dst.Fill(RGB(0, 0, 255));
    EXPECT_EQ(expectResult, CopyGradually(dst.Dc(), src.Dc(), w, h, dir, style, pace, StopAfter::Check, &stop));
    std::vector<bool> copied(w * h);
    const DWORD* out = dst.Bits();
    for (int i = 0; i < w * h; ++i)
        copied[i] = out[i] == bits[i];
    return copied;
}

} // namespace

TEST(GradualChooser, NoStyleMoreThanThreeTimesInARowAndDirectionRule)
{
    srand(12345);
    GradualChooser chooser;
    int prevDir = -1, prevStyle = -1, run = 0, styles[2] = {0, 0};
    for (int i = 0; i < 10000; ++i) {
        int r = rand(), dir, style;
        chooser.Choose(r, dir, style);
        // r mod 4, unless that repeats the previous direction: then (r div 2) mod 4.
        ASSERT_EQ(r % 4 == prevDir ? (r / 2) % 4 : r % 4, dir) << "draw " << i;
        run = style == prevStyle ? run + 1 : 1;
        ASSERT_LE(run, 3) << "draw " << i;
        ++styles[style];
        prevDir = dir;
        prevStyle = style;
    }
    EXPECT_GT(std::min(styles[0], styles[1]), 4000) << "both styles in roughly equal shares";
}

TEST(CopyGradually, PatternsCopyWholePicturesInOrderAndStopOnInput)
{
    // Every direction and style replaces odd-sized pictures completely.
    for (SIZE sz : {SIZE{37, 23}, SIZE{1, 1}, SIZE{3, 9}})
        for (int style = 0; style < 2; ++style)
            for (int dir = 0; dir < 4; ++dir) {
                SCOPED_TRACE(testing::Message() << sz.cx << "x" << sz.cy << " style " << style << " dir " << dir);
                StopAfter none;
                std::vector<bool> copied = Copy(sz.cx, sz.cy, dir, style, none, 1);
                EXPECT_EQ(std::vector<bool>(copied.size(), true), copied);
            }
    // What is copied when input arrives at a given check: two four-line strips from the
    // starting edge; one interlaced pass of every eighth line; nothing before the first.
    const int W = 30, H = 19;
    const struct {
        int dir, style, stopAt;
        bool (*expect)(int x, int y);
    } rows[] = {
        {gradTopToBottom, gradSweep, 3, [](int, int y) { return y < 8; }},
        {gradBottomToTop, gradSweep, 3, [](int, int y) { return y >= H - 8; }},
        {gradLeftToRight, gradSweep, 3, [](int x, int) { return x < 8; }},
        {gradRightToLeft, gradSweep, 3, [](int x, int) { return x >= W - 8; }},
        {gradBottomToTop, gradInterlaced, 1 + 3 + 1, [](int, int y) { return y == H - 1 || y == H - 9 || y == H - 17; }},
        {gradLeftToRight, gradInterlaced, 1 + 4 + 1, [](int x, int) { return x % 8 == 0; }},
        {gradTopToBottom, gradSweep, 1, [](int, int) { return false; }},
        {gradTopToBottom, gradInterlaced, 1, [](int, int) { return false; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "dir " << row.dir << " style " << row.style);
        StopAfter stop;
        stop.stopAt = row.stopAt;
        std::vector<bool> copied = Copy(W, H, row.dir, row.style, stop, 0);
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x)
                ASSERT_EQ(row.expect(x, y), static_cast<bool>(copied[y * W + x])) << x << "," << y;
    }
}

// A pace above 0 pauses after each sweep strip (pace x 1000 / extent ms) and after each row
// pass of an interlaced replacement (pace x 8000 / extent ms). Half of each pause is the
// bound: load stretches pauses but never shortens them, and a strip alone takes far less.
TEST(CopyGradually, PacePausesBetweenStripsAndPasses)
{
    StopAfter sweep, passes;
    Copy(8, 40, gradTopToBottom, gradSweep, sweep, 1, 4); // 10 strips, 100 ms after each
    Copy(8, 80, gradTopToBottom, gradInterlaced, passes, 1, 1); // 8 passes, 100 ms after each
    ASSERT_EQ(10u, sweep.times.size());
    for (size_t i = 1; i < sweep.times.size(); ++i)
        EXPECT_GE(sweep.times[i] - sweep.times[i - 1], 50) << "strip " << i;
    EXPECT_GE(passes.times.back() - passes.times.front(), 7 * 50);
}
