// Loading, measuring, rendering and fitting real JPEG files.
#include <gtest/gtest.h>
#include "picture/iPicture.h"
#include "PictureTestUtil.h"

namespace {

RECT Rect(int l, int t, int r, int b)
{
    RECT rc = {l, t, r, b};
    return rc;
}

void ExpectRect(const RECT& expected, const RECT& got)
{
    EXPECT_TRUE(EqualRect(&expected, &got)) << got.left << "," << got.top << "," << got.right << "," << got.bottom;
}

// The rectangle GetBestFitRect gives for a picture file in rect on a 96-dpi memory DC.
RECT Fit(const char* fixture, RECT rect, int enlarge, HWND hWnd = nullptr)
{
    iPicture pict;
    Canvas canvas(8, 8);
    EXPECT_EQ(1, pict.Load(Fixture(fixture).c_str()));
    pict.GetBestFitRect(hWnd, rect, canvas.Dc(), enlarge);
    return rect;
}

} // namespace

TEST(iPicture, LoadsMeasuresAndFailedLoadsKeepOrReleaseThePicture)
{
    ScratchDir dir;
    iPicture pict;
    Canvas canvas(8, 8);
    EXPECT_EQ(0, pict.Load((dir / "missing.jpg").c_str()));
    EXPECT_EQ(nullptr, pict.pUnk);
    EXPECT_EQ(0, pict.GetImageSize(canvas.Dc()).cx) << "nothing held";

    ASSERT_EQ(1, pict.Load(Fixture("halves_640x480.jpg").c_str()));
    long w, h;
    pict.GetHIMETRICSize(w, h);
    EXPECT_EQ(MulDiv(640, 2540, 96), w);
    EXPECT_EQ(MulDiv(480, 2540, 96), h);
    SIZE size = pict.GetImageSize(canvas.Dc());
    EXPECT_EQ(640, size.cx);
    EXPECT_EQ(480, size.cy);
    IUnknown* first = pict.pUnk;
    first->AddRef();
    // A file that cannot be opened leaves the picture held.
    EXPECT_EQ(0, pict.Load((dir / "missing.jpg").c_str()));
    EXPECT_EQ(first, pict.pUnk);
    // A second picture releases the first: our reference is the last one left.
    ASSERT_EQ(1, pict.Load(Fixture("green_1000x500.jpg").c_str()));
    EXPECT_NE(first, pict.pUnk);
    EXPECT_EQ(0u, first->Release());

    // Data the loader rejects leaves the holder empty.
    std::string good = ReadFileBytes(Fixture("halves_640x480.jpg"));
    const std::string bad[] = {"", "plain text, not a picture", good.substr(0, good.size() / 2)};
    for (const std::string& data : bad) {
        ASSERT_EQ(1, pict.Load(Fixture("green_40x200.jpg").c_str()));
        std::string path = dir / "bad.jpg";
        ASSERT_TRUE(WriteFileBytes(path, data.data(), data.size()));
        EXPECT_EQ(0, pict.Load(path.c_str())) << data.size() << " bytes";
        EXPECT_EQ(nullptr, pict.pUnk);
    }
}

TEST(iPicture, RendersUprightIntoTheTarget)
{
    iPicture pict;
    ASSERT_EQ(1, pict.Load(Fixture("halves_640x480.jpg").c_str()));
    Canvas canvas(400, 400);
    canvas.Fill(RGB(0, 0, 0));
    ASSERT_EQ(1, pict.Render(canvas.Dc(), Rect(100, 100, 300, 250), nullptr));
    EXPECT_TRUE(IsRed(canvas.Pixel(110, 110)) && IsBlue(canvas.Pixel(290, 240)));
    EXPECT_TRUE(IsBlack(canvas.Pixel(99, 150)) && IsBlack(canvas.Pixel(200, 250)));
    // A single-point target means the natural size at that point.
    Canvas big(700, 500);
    ASSERT_EQ(1, pict.Render(big.Dc(), Rect(10, 5, 10, 5), nullptr));
    EXPECT_TRUE(IsRed(big.Pixel(10, 5)) && IsBlue(big.Pixel(649, 484)));
    EXPECT_TRUE(IsBlack(big.Pixel(650, 484)) && IsBlack(big.Pixel(649, 485)));

    iPicture empty;
    EXPECT_EQ(0, empty.Render(canvas.Dc(), Rect(0, 0, 10, 10), nullptr));
}

TEST(iPicture, ReductionKeepsThePicturesBrightnessAndTheDcsMode)
{
    iPicture pict;
    ASSERT_EQ(1, pict.Load(Fixture("stripes_400x300.jpg").c_str()));
    Canvas canvas(130, 75);
    SetStretchBltMode(canvas.Dc(), BLACKONWHITE);
    ASSERT_EQ(1, pict.Render(canvas.Dc(), Rect(0, 0, 130, 75), nullptr));
    EXPECT_EQ(BLACKONWHITE, GetStretchBltMode(canvas.Dc()));
    // Black and white columns, about three to a pixel: as bright as before on average, not
    // darkened to black by combining the dropped columns.
    long sum = 0;
    for (int x = 0; x < 130; ++x)
        sum += canvas.Pixel(x, 30).g;
    EXPECT_NEAR(128, sum / 130, 30);
}

TEST(iPicture, FitsKeepingTheAspectRatio)
{
    // Smaller pictures are enlarged only when asked; larger ones always shrink.
    ExpectRect(Rect(80, 60, 720, 540), Fit("halves_640x480.jpg", Rect(0, 0, 800, 600), 0));
    ExpectRect(Rect(0, 0, 800, 600), Fit("halves_640x480.jpg", Rect(0, 0, 800, 600), 1));
    ExpectRect(Rect(0, 100, 800, 500), Fit("green_1000x500.jpg", Rect(0, 0, 800, 600), 0));
    // Full height: 40 x 200 in 800 x 600 is 120 wide.
    ExpectRect(Rect(340, 0, 460, 600), Fit("green_40x200.jpg", Rect(0, 0, 800, 600), 1));
    // Odd remainders leave the extra pixel at the right and bottom.
    ExpectRect(Rect(80, 60, 721, 541), Fit("halves_640x480.jpg", Rect(0, 0, 801, 601), 0));
    ExpectRect(Rect(10, 70, 810, 470), Fit("green_1000x500.jpg", Rect(10, 20, 810, 520), 0));
}

TEST(iPicture, EmptyRectangleMeansTheWindowsArea)
{
    FrameWindow frame(800, 600);
    ASSERT_TRUE(frame);
    ExpectRect(Rect(0, 100, 800, 500), Fit("green_1000x500.jpg", Rect(5, 5, 5, 300), 1, frame));
    // Without a DC the window's own DC measures the picture.
    iPicture pict;
    ASSERT_EQ(1, pict.Load(Fixture("halves_640x480.jpg").c_str()));
    RECT rc = {};
    pict.GetBestFitRect(frame, rc, nullptr, 0);
    ExpectRect(Rect(80, 60, 720, 540), rc);
}
