// Helpers of the picture tests: the test pictures, a memory canvas whose pixels can be read,
// and a hidden window that gives Blast its frame.
#pragma once
#include <windows.h>
#include <string>
#include "TestUtil.h"

// A picture made by the build (tests/picture/make-fixtures).
inline std::string Fixture(const char* name)
{
    return TestDir() + "\\fixtures\\" + name;
}

// Reads a whole file; empty when it cannot.
std::string ReadFileBytes(const std::string& path);

struct Rgb {
    int r, g, b;
};

// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return hdc; }
    int Width() const { return width; }
    int Height() const { return height; }
    Rgb Pixel(int x, int y) const;
    void Fill(COLORREF color);
    // A copy of all pixels, to compare before and after.
    std::string Snapshot() const;
    // Number of pixels in [x0, x1) x [y0, y1) for which pred holds.
    template <class Pred>
    int Count(int x0, int y0, int x1, int y1, Pred pred) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (pred(Pixel(x, y)))
                    ++n;
        return n;
    }

private:
    int width, height;
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ hOld;
    DWORD* pBits;
};

// A hidden borderless window with the given client size.
class FrameWindow {
public:
    FrameWindow(int width, int height);
    ~FrameWindow();
    FrameWindow(const FrameWindow&) = delete;
    FrameWindow& operator=(const FrameWindow&) = delete;
    operator HWND() const { return hWnd; }

private:
    HWND hWnd;
};

inline bool Near(Rgb c, int r, int g, int b, int tol = 40)
{
    return abs(c.r - r) <= tol && abs(c.g - g) <= tol && abs(c.b - b) <= tol;
}
inline bool IsBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }
inline bool IsWhite(Rgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }
inline bool IsRed(Rgb c) { return Near(c, 220, 30, 30); }
inline bool IsBlue(Rgb c) { return Near(c, 30, 30, 220); }
inline bool IsGreen(Rgb c) { return Near(c, 30, 200, 30); }
inline bool IsCopyrightGrey(Rgb c) { return Near(c, 127, 127, 127, 8); }
