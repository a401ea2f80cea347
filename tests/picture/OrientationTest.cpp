// Photos stored sideways with an EXIF orientation are measured and drawn upright; missing,
// damaged or odd EXIF data means "as stored".
#include <gtest/gtest.h>
#include "picture/ExifOrientation.h"
#include "picture/iPicture.h"
#include "PictureTestUtil.h"

static int OrientationOf(const std::string& s)
{
    return ExifOrientationOf(reinterpret_cast<const BYTE*>(s.data()), s.size());
}

TEST(ExifOrientation, ReadsTheTagAndTakesOddDataAsStored)
{
    const Entry other = {0x010F, 2, 4, 0}; // a maker's name before the tag
    const struct { const char* what; std::string data; int orientation; } cases[] = {
        {"after another tag", Exif(false, {other, {0x0112, 3, 1, 6}}), 6},
        {"big-endian", Exif(true, {{0x0112, 3, 1, 3}}), 3},
        {"big-endian after another tag", Exif(true, {other, {0x0112, 3, 1, 8}}), 8},
        {"no tag", Exif(false, {other}), 1},
        {"value 0", Exif(false, {{0x0112, 3, 1, 0}}), 1},
        {"value 9", Exif(true, {{0x0112, 3, 1, 9}}), 1},
        {"a long instead of a short", Exif(false, {{0x0112, 4, 1, 6}}), 1},
        {"two values", Exif(false, {{0x0112, 3, 2, 6}}), 1},
        {"directory outside the data", Exif(false, {{0x0112, 3, 1, 6}}, 0xFFFFFFF0), 1},
        {"cut inside the entry", Exif(false, {{0x0112, 3, 1, 6}}).substr(0, 24), 1},
        {"unknown byte order", "Exif\0\0XX" + Exif(false, {{0x0112, 3, 1, 6}}).substr(8), 1},
        {"not EXIF", "http://ns.adobe.com/xap/1.0/", 1},
        {"empty", "", 1},
        {"65535 entries claimed in a short segment", Exif(false, {other}).replace(14, 2, "\xFF\xFF"), 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.orientation, OrientationOf(c.data)) << c.what;
}

// The same upright picture (red, green / blue, yellow quarters, 300 x 200) stored for each
// orientation, drawn shrunk and enlarged: always upright, fitted by its upright size.
TEST(ExifOrientation, EveryOrientationIsDrawnUpright)
{
    for (int k = 1; k <= 8; ++k) {
        std::string path = Fixture(("orient_" + std::to_string(k) + ".jpg").c_str());
        iPicture pict;
        ASSERT_EQ(1, pict.Load(path.c_str())) << k;
        Canvas probe(4, 4);
        SIZE size = pict.GetImageSize(probe.Dc());
        EXPECT_NEAR(300, size.cx, 1) << k;
        EXPECT_NEAR(200, size.cy, 1) << k;
        for (int side : {150, 600}) {
            SCOPED_TRACE(testing::Message() << "orientation " << k << " in " << side << " x " << side);
            FrameWindow frame(side, side);
            Canvas canvas(side, side);
            pict.Blast(frame, path.c_str(), 1, canvas.Dc(), nullptr, nullptr, 1);
            // Fitted: full width, two thirds of it high, centred.
            const int top = side / 6, q = side / 4, h = side * 2 / 3;
            EXPECT_TRUE(IsBlack(canvas.Pixel(side / 2, top - 3)));
            EXPECT_TRUE(IsBlack(canvas.Pixel(side / 2, top + h + 2)));
            EXPECT_TRUE(IsRed(canvas.Pixel(q, top + h / 4)));
            EXPECT_TRUE(IsGreen(canvas.Pixel(3 * q, top + h / 4)));
            EXPECT_TRUE(IsBlue(canvas.Pixel(q, top + 3 * h / 4)));
            EXPECT_TRUE(IsYellow(canvas.Pixel(3 * q, top + 3 * h / 4)));
        }
    }
    // A JPEG without EXIF data is drawn as stored.
    FwFile file(Fixture("halves_400x300.jpg").c_str(), 0);
    EXPECT_EQ(1, ReadExifOrientation(file));
}
