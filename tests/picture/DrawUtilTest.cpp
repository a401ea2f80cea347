// Device-context holders and the bitmap helper.
#include <gtest/gtest.h>
#include "picture/DrawUtil.h"
#include "picture/FwDC.h"
#include "PictureTestUtil.h"

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
