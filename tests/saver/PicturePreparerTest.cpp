// Frames drawn on the worker thread into memory bitmaps: each part shows its own picture
// fitted to it with caption and copyright line, black elsewhere, and the window that asked
// is told once.
#include <gtest/gtest.h>
#include "PicturePreparer.h"
#include "TestUtil.h"

namespace {

const UINT kDone = WM_APP + 7;
const char* kCopyright = "(c) Corvane";

std::string Fixture(const char* name)
{
    return TestDir() + "\\fixtures\\saver\\A\\" + name;
}

// Pixels of a finished frame.
class FramePixels {
public:
    explicit FramePixels(HBITMAP hBitmap) : mem(nullptr), select(mem.hDC, hBitmap) {}
    COLORREF At(int x, int y) const { return GetPixel(mem.hDC, x, y); }
    int Grey(int x, int y) const
    {
        COLORREF c = At(x, y);
        return GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) ? GetGValue(c) : -1;
    }
    // Whether any pixel of the rectangle is the colour.
    bool Any(const RECT& rc, COLORREF color) const
    {
        for (int y = rc.top; y < rc.bottom; ++y)
            for (int x = rc.left; x < rc.right; ++x)
                if (At(x, y) == color)
                    return true;
        return false;
    }

private:
    MemoryDC mem;
    DCSelection select;
};

// A window of this thread that counts the preparer's notices.
class NoticeCounter {
public:
    NoticeCounter()
        : hWnd(CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)) {}
    ~NoticeCounter() { DestroyWindow(hWnd); }
    int Count()
    {
        int n = 0;
        MSG msg;
        while (PeekMessageA(&msg, hWnd, kDone, kDone, PM_REMOVE))
            ++n;
        return n;
    }
    HWND hWnd;
};

} // namespace

TEST(PicturePreparer, EachPartShowsItsOwnPictureWithCaption)
{
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    struct Part {
        RECT rc;
        const char* file; // null: a missing picture
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
         {{{0, 0, 400, 300}, nullptr, 0}, {{400, 0, 800, 300}, "03_Grey_150.jpg", 150}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<FramePicture> pictures;
        for (const Part& part : c.parts)
            pictures.push_back({part.rc, part.file ? Fixture(part.file) : Fixture("missing.jpg"), "Caption", kCopyright});
        NoticeCounter notices;
        PicturePreparer preparer;
        ASSERT_TRUE(preparer.Start(c.cx, c.cy, pictures, notices.hWnd, kDone));
        ASSERT_TRUE(preparer.Wait(30000));
        std::unique_ptr<GdiObject> frame = preparer.Take();
        ASSERT_TRUE(frame && frame->hObj);
        EXPECT_EQ(1, notices.Count());
        FramePixels pixels(static_cast<HBITMAP>(frame->hObj));
        for (const Part& part : c.parts) {
            const RECT& rc = part.rc;
            int midX = (rc.left + rc.right) / 2, midY = (rc.top + rc.bottom) / 2;
            if (!part.file) {
                // Black with the error text at its top left.
                EXPECT_EQ(black, pixels.At(midX, midY));
                EXPECT_TRUE(pixels.Any({rc.left + 10, rc.top + 10, rc.left + 60, rc.top + 24}, white));
                continue;
            }
            // The 4:3 picture fills its part's width; the caption stands in the band under
            // it, inside the part.
            EXPECT_NEAR(part.grey, pixels.Grey(midX, midY - 20), 3);
            EXPECT_NEAR(part.grey, pixels.Grey(rc.left + (rc.right - rc.left) / 8, midY - 20), 3);
            RECT band = {rc.left, rc.bottom - 40, rc.right, rc.bottom};
            EXPECT_TRUE(pixels.Any(band, white)) << "caption under picture " << part.grey;
        }
        if (c.parts.size() == 2 && c.parts[1].rc.bottom < c.cy) { // below the smaller monitor
            EXPECT_EQ(black, pixels.At(c.parts[1].rc.left + 10, c.cy - 5));
        }
    }
}
