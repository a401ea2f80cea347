#include "PictureTestUtil.h"
#include <vector>

std::string ReadFileBytes(const std::string& path)
{
    HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string data(GetFileSize(h, nullptr), '\0');
    DWORD read = 0;
    if (!data.empty() && !ReadFile(h, &data[0], static_cast<DWORD>(data.size()), &read, nullptr))
        read = 0;
    CloseHandle(h);
    data.resize(read);
    return data;
}

Canvas::Canvas(int width, int height) : width(width), height(height), pBits(nullptr)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(bmi.bmiHeader);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    hdc = CreateCompatibleDC(nullptr);
    void* pv = nullptr;
    hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pv, nullptr, 0);
    pBits = static_cast<DWORD*>(pv);
    hOld = SelectObject(hdc, hbm);
}

Canvas::~Canvas()
{
    SelectObject(hdc, hOld);
    DeleteObject(hbm);
    DeleteDC(hdc);
}

Rgb Canvas::Pixel(int x, int y) const
{
    GdiFlush();
    DWORD v = pBits[y * width + x];
    return Rgb{static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF), static_cast<int>(v & 0xFF)};
}

void Canvas::Fill(COLORREF color)
{
    HBRUSH hbr = CreateSolidBrush(color);
    RECT rc = {0, 0, width, height};
    FillRect(hdc, &rc, hbr);
    DeleteObject(hbr);
}

std::string Canvas::Snapshot() const
{
    GdiFlush();
    return std::string(reinterpret_cast<const char*>(pBits), static_cast<size_t>(width) * height * 4);
}

namespace {
const char* kFrameClass = "VntPictureFrame";
}

FrameWindow::FrameWindow(int width, int height)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc); // fails harmlessly when already registered
    hWnd = CreateWindowExA(0, kFrameClass, "frame", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

FrameWindow::~FrameWindow()
{
    if (hWnd)
        DestroyWindow(hWnd);
}
