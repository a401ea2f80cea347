#include "TestUtil.h"
#include <vector>
#include "base/FwHandle.h"

std::string BinDir() { return TEST_BIN_DIR; }
std::string TestDir() { return TEST_DIR; }

UINT RunCodePage()
{
    char locale[64] = "";
    GetEnvironmentVariableA("LC_ALL", locale, sizeof locale);
    return lstrcmpiA(locale, "ja_JP.UTF-8") ? 1252 : 932;
}

void PumpMessages(DWORD ms)
{
    DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount() - start < ms);
}

bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); !cond(); PumpMessages(20))
        if (GetTickCount() - start >= timeoutMs)
            return cond();
    return true;
}

ChildProcess::~ChildProcess()
{
    if (!pi.hProcess)
        return;
    if (IsRunning() && TerminateProcess(pi.hProcess, 99))
        WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

bool ChildProcess::Start(const std::string& commandLine, const std::string& currentDir)
{
    STARTUPINFOA si = {sizeof(si)};
    std::vector<char> cmd(commandLine.c_str(), commandLine.c_str() + commandLine.size() + 1);
    return CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDir.empty() ? nullptr : currentDir.c_str(), &si, &pi) != 0;
}

bool ChildProcess::Wait(DWORD timeoutMs) { return WaitFor([this] { return !IsRunning(); }, timeoutMs); }

bool StartSaver(ChildProcess& proc, const std::string& args, const std::string& dir)
{
    std::string folder = dir.empty() ? BinDir() : dir;
    return proc.Start("\"" + folder + "\\Vantora.scr\" " + args, folder);
}

HWND FindProcessWindow(DWORD pid, const char* cls, const char* title)
{
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, cls, title)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid)
            return h;
    }
    return nullptr;
}

ScratchDir::ScratchDir(const char* prefix)
{
    char temp[MAX_PATH], name[MAX_PATH];
    GetTempPathA(sizeof(temp), temp);
    static LONG counter = 0;
    do
        wsprintfA(name, "%s%s%lu_%ld", temp, prefix, GetCurrentProcessId(), InterlockedIncrement(&counter));
    while (!CreateDirectoryA(name, nullptr));
    path = name;
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE hFind = FindFirstFileA((path + "\\*").c_str(), &fd);
    for (BOOL more = hFind != INVALID_HANDLE_VALUE; more; more = FindNextFileA(hFind, &fd)) {
        std::string name = fd.cFileName, full = path + "\\" + name;
        if (name == "." || name == "..")
            continue;
        SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            RemoveTree(full);
        else
            DeleteFileA(full.c_str());
    }
    if (hFind != INVALID_HANDLE_VALUE)
        FindClose(hFind);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

bool WriteFileBytes(const std::string& path, const void* data, size_t size)
{
    FwHandle h(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return h.IsReady() && WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr) && written == size;
}

bool CopyProduct(const std::string& dir)
{
    return CopyFileA((BinDir() + "\\Vantora.scr").c_str(), (dir + "\\Vantora.scr").c_str(), FALSE) &&
           CopyFileA((BinDir() + "\\VNT32.dll").c_str(), (dir + "\\VNT32.dll").c_str(), FALSE);
}

Canvas::Canvas(int width, int height) : width(width), height(height), pBits(nullptr)
{
    BITMAPINFO bmi = {{sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB}};
    hdc = CreateCompatibleDC(nullptr);
    hbm = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, reinterpret_cast<void**>(&pBits), nullptr, 0);
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
    DWORD v = Bits()[y * width + x];
    return Rgb{int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)};
}

void Canvas::Fill(COLORREF color)
{
    SetDCBrushColor(hdc, color);
    RECT rc = {0, 0, width, height};
    FillRect(hdc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// One 8 x 8 block with only its DC term, 8 x (level - 128) under a quantisation table of
// ones, coded with a one-symbol Huffman table for its size category, then end-of-block.
bool WriteGrayJpeg(const std::string& path, int level)
{
    int dc = 8 * (level - 128), category = 0;
    while ((dc < 0 ? -dc : dc) >> category)
        category++;
    unsigned value = dc >= 0 ? dc : dc + (1 << category) - 1;
    // The DC code 0, the value's bits, the end-of-block code 0, ones up to a whole byte.
    int pad = (8 - (category + 2) % 8) % 8;
    unsigned bits = (value << (pad + 1)) | ((1u << pad) - 1);
    std::string scan;
    for (int shift = category + 2 + pad - 8; shift >= 0; shift -= 8) {
        scan += static_cast<char>(bits >> shift);
        if (((bits >> shift) & 0xFF) == 0xFF)
            scan += '\0';
    }
    std::string j = std::string("\xFF\xD8\xFF\xDB\x00\x43\x00", 7) + std::string(64, '\x01');
    j += std::string("\xFF\xC0\x00\x0B\x08\x00\x08\x00\x08\x01\x01\x11\x00", 13);
    std::string oneCode = std::string("\x01", 1) + std::string(15, '\0');
    j += std::string("\xFF\xC4\x00\x14\x00", 5) + oneCode + static_cast<char>(category);
    j += std::string("\xFF\xC4\x00\x14\x10", 5) + oneCode + std::string(1, '\0');
    j += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
    j += scan + std::string("\xFF\xD9", 2);
    return WriteFileBytes(path, j.data(), j.size());
}
