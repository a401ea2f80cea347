// Helpers of the picture tests (and of the options and wallpaper tests): the test pictures,
// files read whole, EXIF data, a hidden window that gives Blast its frame, and colour checks.
#pragma once
#include <fstream>
#include <iterator>
#include <string>
#include "TestUtil.h"

// A picture made by the build (tests/picture/make-fixtures).
inline std::string Fixture(const char* name) { return TestDir() + "\\fixtures\\" + name; }

inline std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The body of an APP1 segment: "Exif\0\0", a TIFF header in the given byte order and one
// directory with the given entries (tag, type, count, value).
struct Entry {
    unsigned tag, type, count, value;
};
inline std::string Exif(bool bigEndian, std::initializer_list<Entry> entries, unsigned ifdOffset = 8)
{
    auto word = [&](unsigned v) {
        return bigEndian ? std::string{char(v >> 8), char(v)} : std::string{char(v), char(v >> 8)};
    };
    auto dword = [&](unsigned v) { return bigEndian ? word(v >> 16) + word(v) : word(v) + word(v >> 16); };
    std::string s("Exif\0\0", 6);
    s += bigEndian ? "MM" : "II";
    s += word(42) + dword(ifdOffset) + word(static_cast<unsigned>(entries.size()));
    for (const Entry& e : entries)
        s += word(e.tag) + word(e.type) + dword(e.count) + (e.type == 3 ? word(e.value) + word(0) : dword(e.value));
    return s + dword(0);
}

// A hidden borderless window with the given client size.
class FrameWindow {
public:
    FrameWindow(int width, int height)
    {
        WNDCLASSA wc = {0, DefWindowProcA, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr,
                        "VntPictureFrame"};
        RegisterClassA(&wc); // fails harmlessly when already registered
        hWnd = CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                               wc.hInstance, nullptr);
    }
    ~FrameWindow() { DestroyWindow(hWnd); }
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
inline bool IsYellow(Rgb c) { return Near(c, 230, 220, 40); }
inline bool IsCopyrightGrey(Rgb c) { return Near(c, 127, 127, 127, 8); }
