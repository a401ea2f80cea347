// The wallpaper bitmap over several monitors: its size and each monitor's part, tiled from
// the primary's top-left corner or spanned; and the copy of a part the tiling wraps.
#include <gtest/gtest.h>
#include <vector>
#include "wallpaper/WallpaperLayout.h"
#include "TestUtil.h"

static std::vector<long> Corners(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

TEST(WallpaperLayout, PartsTiledAndSpanned)
{
    const RECT primary = {0, 0, 1920, 1080};
    const struct Case {
        const char* what;
        std::vector<RECT> monitors;
        SIZE size;
        std::vector<RECT> tiled, spanned;
    } cases[] = {
        {"side by side", {primary, {1920, 0, 3200, 1024}}, {3200, 1080},
         {primary, {1920, 0, 3200, 1024}}, {primary, {1920, 0, 3200, 1024}}},
        {"stacked", {primary, {0, 1080, 1920, 2160}}, {1920, 2160},
         {primary, {0, 1080, 1920, 2160}}, {primary, {0, 1080, 1920, 2160}}},
        {"left of the primary", {primary, {-1280, 0, 0, 1024}}, {3200, 1080},
         {primary, {1920, 0, 3200, 1024}}, {{1280, 0, 3200, 1080}, {0, 0, 1280, 1024}}},
        {"above the primary", {primary, {0, -1080, 1920, 0}}, {1920, 2160},
         {primary, {0, 1080, 1920, 2160}}, {{0, 1080, 1920, 2160}, {0, 0, 1920, 1080}}},
        {"portrait, higher than the primary", {primary, {1920, -420, 3000, 1500}}, {3000, 1920},
         {primary, {1920, 1500, 3000, 3420}}, {{0, 420, 1920, 1500}, {1920, 0, 3000, 1920}}},
        {"three, one above and left", {primary, {1920, 0, 3200, 1024}, {-800, -600, 0, 0}}, {4000, 1680},
         {primary, {1920, 0, 3200, 1024}, {3200, 1080, 4000, 1680}},
         {{800, 600, 2720, 1680}, {2720, 600, 4000, 1624}, {0, 0, 800, 600}}},
        {"overlapping at the origin, as Wine reports two screens", {{0, 0, 1024, 768}, {0, 0, 800, 600}},
         {1024, 768}, {{0, 0, 1024, 768}, {0, 0, 800, 600}}, {{0, 0, 1024, 768}, {0, 0, 800, 600}}},
        {"none", {}, {0, 0}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (int span = 0; span < 2; ++span) {
            std::vector<RECT> parts(c.monitors.size());
            SIZE size = LayoutWallpaper(c.monitors.data(), static_cast<int>(c.monitors.size()), span, parts.data());
            EXPECT_EQ(c.size.cx, size.cx);
            EXPECT_EQ(c.size.cy, size.cy);
            const std::vector<RECT>& expected = span ? c.spanned : c.tiled;
            for (size_t i = 0; i < parts.size(); ++i)
                EXPECT_EQ(Corners(expected[i]), Corners(parts[i])) << "span " << span << ", monitor " << i;
        }
    }
}

// A part that runs past the bitmap's right and bottom edges continues at its left and top.
TEST(WallpaperLayout, WrappedPartCopiedInFourPieces)
{
    Canvas src(100, 100), dst(300, 200);
    dst.Fill(RGB(0, 0, 0));
    const COLORREF quarters[2][2] = {{RGB(255, 0, 0), RGB(0, 255, 0)}, {RGB(0, 0, 255), RGB(255, 255, 0)}};
    for (int down = 0; down < 2; ++down)
        for (int across = 0; across < 2; ++across) {
            RECT rc = {across * 50, down * 50, across * 50 + 50, down * 50 + 50};
            HBRUSH brush = CreateSolidBrush(quarters[down][across]);
            FillRect(src.Dc(), &rc, brush);
            DeleteObject(brush);
        }
    DrawWrapped(dst.Dc(), SIZE{300, 200}, RECT{250, 150, 350, 250}, src.Dc());
    const struct { int x, y, down, across; } probes[] = {
        {260, 160, 0, 0}, {10, 160, 0, 1}, {260, 10, 1, 0}, {10, 10, 1, 1}};
    for (const auto& p : probes) {
        Rgb c = dst.Pixel(p.x, p.y);
        EXPECT_EQ(quarters[p.down][p.across], RGB(c.r, c.g, c.b)) << p.x << "," << p.y;
    }
    auto black = [](Rgb p) { return p.r == 0 && p.g == 0 && p.b == 0; };
    EXPECT_EQ(300 * 200 - 100 * 100, dst.Count(0, 0, 300, 200, black));
}
