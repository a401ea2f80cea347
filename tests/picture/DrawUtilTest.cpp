// Device-context holders and the bitmap helper.
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

// A whole bitmap at its own size (parts of one are drawn by the check-list box's tests).
TEST(DrawUtil, DrawsWholeBitmapsAtTheirOwnSize)
{
    // A 6 x 4 bitmap, not selected into any DC: left half black, right half blue.
    Canvas source(6, 4);
    source.Fill(RGB(30, 30, 220));
    RECT left = {0, 0, 3, 4};
    FillRect(source.Dc(), &left, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    HGDIOBJ drawn = GetCurrentObject(source.Dc(), OBJ_BITMAP);
    HBITMAP bitmap = static_cast<HBITMAP>(CopyImage(drawn, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, bitmap);
    Canvas target(20, 20);
    target.Fill(RGB(220, 30, 30));
    EXPECT_EQ(1, DrawBitmap(target.Dc(), bitmap, 2, 3, 0, 0, 0, 0));
    EXPECT_TRUE(IsBlack(target.Pixel(2, 3)) && IsBlue(target.Pixel(7, 6)));
    EXPECT_TRUE(IsRed(target.Pixel(8, 6)) && IsRed(target.Pixel(7, 7)));
    DeleteObject(bitmap);
}
