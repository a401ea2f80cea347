// Device-context holders and the bitmap helpers.
#include <gtest/gtest.h>
#include "picture/FwDC.h"
#include "picture/DrawUtil.h"
#include "PictureTestUtil.h"

TEST(FwDC, CreatesDeletesAndRestores)
{
    HDC created;
    {
        FwDC display;
        created = display;
        ASSERT_NE(nullptr, created);
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

TEST(DrawUtil, DrawsWholeBitmapsAndParts)
{
    // A 6 x 4 bitmap, not selected into any DC: left half red, right half blue.
    Canvas source(6, 4);
    source.Fill(RGB(30, 30, 220));
    RECT left = {0, 0, 3, 4};
    FillRect(source.Dc(), &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ drawn = GetCurrentObject(source.Dc(), OBJ_BITMAP);
    HBITMAP bitmap = static_cast<HBITMAP>(CopyImage(drawn, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, bitmap);
    Canvas target(20, 20);
    target.Fill(RGB(220, 30, 30));
    EXPECT_EQ(1, DrawBitmap(target.Dc(), bitmap, 2, 3, 0, 0, 0, 0)); // the whole bitmap: its own size
    EXPECT_TRUE(IsBlack(target.Pixel(2, 3)) && IsBlue(target.Pixel(7, 6)));
    EXPECT_TRUE(IsRed(target.Pixel(8, 6)) && IsRed(target.Pixel(7, 7)));
    EXPECT_EQ(1, DrawBitmap(target.Dc(), bitmap, 10, 10, 3, 1, 2, 2)); // part of the blue half
    EXPECT_TRUE(IsBlue(target.Pixel(10, 10)) && IsBlue(target.Pixel(11, 11)));
    EXPECT_TRUE(IsRed(target.Pixel(12, 11)) && IsRed(target.Pixel(11, 12)));
    DeleteObject(bitmap);
}
