// Frames drawn on the worker thread into memory bitmaps: each part shows its own picture
// fitted to it with caption, black elsewhere, and the window that asked is told once.
#include <gtest/gtest.h>
#include "PicturePreparer.h"
#include "TestUtil.h"

namespace {

const UINT kDone = WM_APP + 7;
const COLORREF kWhite = RGB(255, 255, 255), kBlack = RGB(0, 0, 0);

bool Any(HDC hdc, const RECT& rc, COLORREF color)
{
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (GetPixel(hdc, x, y) == color)
                return true;
    return false;
}

} // namespace

TEST(PicturePreparer, EachPartShowsItsOwnPictureWithCaption)
{
    struct Part {
        RECT rc;
        const char* file; // a missing one shows the error text
        int grey;
    };
    struct Case {
        const char* name;
        int cx, cy;
        std::vector<Part> parts;
    };
    const Case cases[] = {
        {"one monitor", 640, 480, {{{0, 0, 640, 480}, "01_Grey_50.jpg", 50}}},
        {"two monitors of different sizes", 1824, 768,
         {{{0, 0, 1024, 768}, "02_Grey_100.jpg", 100}, {{1024, 0, 1824, 600}, "04_Grey_200.jpg", 200}}},
        {"a missing picture beside a found one", 800, 300,
         {{{0, 0, 400, 300}, "missing.jpg", -1}, {{400, 0, 800, 300}, "03_Grey_150.jpg", 150}}},
    };
    HWND hNotify = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<FramePicture> pictures;
        for (const Part& part : c.parts)
            pictures.push_back({part.rc, TestDir() + "\\fixtures\\saver\\A\\" + part.file, "Caption", "(c) Corvane", 0});
        PicturePreparer preparer;
        ASSERT_TRUE(preparer.Start(c.cx, c.cy, pictures, hNotify, kDone));
        ASSERT_TRUE(preparer.Wait(30000));
        std::unique_ptr<GdiObject> frame = preparer.Take();
        ASSERT_TRUE(frame && frame->hObj);
        MSG msg;
        EXPECT_TRUE(PeekMessageA(&msg, hNotify, kDone, kDone, PM_REMOVE));
        EXPECT_FALSE(PeekMessageA(&msg, hNotify, kDone, kDone, PM_REMOVE)) << "told once";
        MemoryDC mem(nullptr);
        DCSelection select(mem.hDC, frame->hObj);
        for (const Part& part : c.parts) {
            const RECT& rc = part.rc;
            int midX = (rc.left + rc.right) / 2, midY = (rc.top + rc.bottom) / 2;
            if (part.grey < 0) { // black with the error text at the top left
                EXPECT_EQ(kBlack, GetPixel(mem.hDC, midX, midY));
                EXPECT_TRUE(Any(mem.hDC, {rc.left + 10, rc.top + 10, rc.left + 60, rc.top + 24}, kWhite));
                continue;
            }
            // The 4:3 picture fills its part but for the caption's line under it.
            EXPECT_NEAR(part.grey, GetGValue(GetPixel(mem.hDC, midX, midY - 20)), 3);
            EXPECT_NEAR(part.grey, GetGValue(GetPixel(mem.hDC, rc.left + (rc.right - rc.left) / 8, midY)), 3);
            EXPECT_TRUE(Any(mem.hDC, {rc.left, rc.bottom - 30, rc.right, rc.bottom}, kWhite)) << "caption " << part.grey;
        }
        if (c.parts.size() == 2 && c.parts[1].rc.bottom < c.cy) { // below the smaller monitor
            EXPECT_EQ(kBlack, GetPixel(mem.hDC, c.parts[1].rc.left + 10, c.cy - 5));
        }
    }
    DestroyWindow(hNotify);
}
