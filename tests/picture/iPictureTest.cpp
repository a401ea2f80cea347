// Loading, measuring, rendering and fitting real JPEG files; the device-context holders
// and the bitmap helper.
#include <gtest/gtest.h>
#include <vector>
#include "picture/DrawUtil.h"
#include "picture/FwDC.h"
#include "picture/iPicture.h"
#include "PictureTestUtil.h"

static std::vector<long> Corners(const RECT& rc) { return {rc.left, rc.top, rc.right, rc.bottom}; }

TEST(iPicture, FailedLoadsKeepOrReleaseThePicture)
{
    ScratchDir dir;
    iPicture pict;
    Canvas canvas(8, 8);
    EXPECT_EQ(0, pict.Load((dir / "missing.jpg").c_str()));
    EXPECT_EQ(0, pict.GetImageSize(canvas.Dc()).cx) << "nothing held";
    ASSERT_EQ(1, pict.Load(Fixture("halves_640x480.jpg").c_str()));
    IUnknown* first = pict.pUnk;
    first->AddRef();
    // A file that cannot be opened leaves the picture held.
    EXPECT_EQ(0, pict.Load((dir / "missing.jpg").c_str()));
    EXPECT_EQ(first, pict.pUnk);
    // A second picture releases the first: our reference is the last one left.
    ASSERT_EQ(1, pict.Load(Fixture("green_1000x500.jpg").c_str()));
    EXPECT_EQ(0u, first->Release());
    // Data the loader rejects leaves the holder empty.
    std::string whole = GrayJpeg(128);
    for (const std::string& data : {std::string(), std::string("plain"), whole.substr(0, whole.size() / 2)}) {
        ASSERT_EQ(1, pict.Load(Fixture("green_40x200.jpg").c_str()));
        ASSERT_TRUE(WriteFileBytes(dir / "bad.jpg", data.data(), data.size()));
        EXPECT_EQ(0, pict.Load((dir / "bad.jpg").c_str())) << data.size() << " bytes";
        EXPECT_EQ(nullptr, pict.pUnk);
    }
}

TEST(iPicture, RendersIntoTheTarget)
{
    iPicture pict, empty;
    ASSERT_EQ(1, pict.Load(Fixture("halves_640x480.jpg").c_str()));
    // A single-point target means the natural size at that point.
    Canvas big(700, 500);
    ASSERT_EQ(1, pict.Render(big.Dc(), RECT{10, 5, 10, 5}, nullptr));
    EXPECT_TRUE(IsRed(big.Pixel(10, 5)) && IsBlue(big.Pixel(649, 484)));
    EXPECT_TRUE(IsBlack(big.Pixel(650, 484)) && IsBlack(big.Pixel(649, 485)));
    EXPECT_EQ(0, empty.Render(big.Dc(), RECT{0, 0, 10, 10}, nullptr));
    // Black and white columns, about three to a pixel, keep their average brightness.
    ASSERT_EQ(1, pict.Load(Fixture("stripes_400x300.jpg").c_str()));
    Canvas small(130, 75);
    ASSERT_EQ(1, pict.Render(small.Dc(), RECT{0, 0, 130, 75}, nullptr));
    long sum = 0;
    for (int x = 0; x < 130; ++x)
        sum += small.Pixel(x, 30).g;
    EXPECT_NEAR(128, sum / 130, 30);
}

// Smaller pictures are enlarged only when asked; larger ones always shrink; an odd
// remainder leaves the extra pixel at the right and bottom; an empty rectangle means the
// window's area, and without a DC the window's own DC measures the picture.
TEST(iPicture, FitsKeepingTheAspectRatio)
{
    FrameWindow frame(800, 600);
    ASSERT_TRUE(frame);
    const struct Case { const char* fixture; RECT rect; int enlarge; bool withDC; RECT fitted; } cases[] = {
        {"halves_640x480.jpg", {0, 0, 800, 600}, 1, true, {0, 0, 800, 600}},
        {"green_1000x500.jpg", {0, 0, 800, 600}, 0, true, {0, 100, 800, 500}},
        {"green_40x200.jpg", {0, 0, 800, 600}, 1, true, {340, 0, 460, 600}},
        {"halves_640x480.jpg", {0, 0, 801, 601}, 0, true, {80, 60, 721, 541}},
        {"green_1000x500.jpg", {10, 20, 810, 520}, 0, true, {10, 70, 810, 470}},
        {"green_1000x500.jpg", {5, 5, 5, 300}, 1, true, {0, 100, 800, 500}},
        {"halves_640x480.jpg", {0, 0, 0, 0}, 0, false, {80, 60, 720, 540}},
    };
    Canvas canvas(8, 8);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fixture << " in " << testing::PrintToString(Corners(c.rect)));
        iPicture pict;
        ASSERT_EQ(1, pict.Load(Fixture(c.fixture).c_str()));
        RECT rc = c.rect;
        pict.GetBestFitRect(frame, rc, c.withDC ? canvas.Dc() : nullptr, c.enlarge);
        EXPECT_EQ(Corners(c.fitted), Corners(rc));
    }
}

TEST(FwDC, CreatesDeletesAndRestores)
{
    HDC created;
    {
        FwDC display;
        ASSERT_NE(nullptr, created = display);
    }
    EXPECT_EQ(0u, GetObjectType(created)) << "deleted with its holder";
    Canvas canvas(4, 4);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    {
        FwDC saved(canvas.Dc(), 1);
        SetTextColor(saved, RGB(9, 9, 9));
    }
    EXPECT_EQ(RGB(1, 2, 3), GetTextColor(canvas.Dc())) << "state restored";
    EXPECT_EQ(OBJ_MEMDC, GetObjectType(canvas.Dc())) << "a given DC is not deleted";
}

// A whole 6 x 4 bitmap, left half black, right half blue, at its own size (parts of one are
// drawn by the check-list box's tests).
TEST(DrawUtil, DrawsWholeBitmapsAtTheirOwnSize)
{
    DWORD bits[4][6];
    for (auto& row : bits)
        for (int x = 0; x < 6; ++x)
            row[x] = x < 3 ? 0 : 0x1E1EDC;
    HBITMAP bitmap = CreateBitmap(6, 4, 1, 32, bits);
    ASSERT_NE(nullptr, bitmap);
    Canvas target(20, 20);
    target.Fill(RGB(220, 30, 30));
    EXPECT_EQ(1, DrawBitmap(target.Dc(), bitmap, 2, 3, 0, 0, 0, 0));
    DeleteObject(bitmap);
    EXPECT_TRUE(IsBlack(target.Pixel(2, 3)) && IsBlue(target.Pixel(7, 6)));
    EXPECT_TRUE(IsRed(target.Pixel(8, 6)) && IsRed(target.Pixel(7, 7)));
}
