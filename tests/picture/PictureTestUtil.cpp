#include "PictureTestUtil.h"
#include <fstream>
#include <iterator>

std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

FrameWindow::FrameWindow(int width, int height)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VntPictureFrame";
    RegisterClassA(&wc); // fails harmlessly when already registered
    hWnd = CreateWindowExA(0, wc.lpszClassName, "frame", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                           wc.hInstance, nullptr);
}

FrameWindow::~FrameWindow()
{
    if (hWnd)
        DestroyWindow(hWnd);
}
