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
