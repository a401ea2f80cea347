// Helpers shared by the test programs: waiting with a message pump, child processes,
// scratch folders and the paths of the built product.
#pragma once
#include <windows.h>
#include <functional>
#include <string>

// The folder holding Vantora.scr, VNT32.dll and Images, and the folder of the test programs.
std::string BinDir();
std::string TestDir();

// The ANSI code page a run is meant for: 932 for the _cp932 runs (LC_ALL=ja_JP.UTF-8),
// else 1252. Double-byte cases assert it, so that a run that missed 932 cannot pass on 1252.
UINT RunCodePage();
inline bool Dbcs() { return GetACP() == 932; }

// Pump this thread's messages for the given time, or until cond() holds (its last value).
void PumpMessages(DWORD ms);
bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs = 30000);

// A process started by a test; terminated by the destructor if still running.
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool Start(const std::string& commandLine, const std::string& currentDir = "");
    bool Wait(DWORD timeoutMs = 30000); // pumping messages; false on time-out
    bool IsRunning() const { return pi.hProcess && WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT; }
    DWORD ExitCode() const
    {
        DWORD code = 0;
        return pi.hProcess && GetExitCodeProcess(pi.hProcess, &code) ? code : 0xDEADBEEF;
    }
    DWORD Id() const { return pi.dwProcessId; }
private:
    PROCESS_INFORMATION pi = {};
};

// Runs Vantora.scr (from dir, default BinDir()) with the arguments.
bool StartSaver(ChildProcess& proc, const std::string& args, const std::string& dir = "");
// The first top-level window of the class (and title, when given) owned by the process.
HWND FindProcessWindow(DWORD pid, const char* cls, const char* title = nullptr);

// Removes a folder and everything in it.
void RemoveTree(const std::string& path);
// A fresh folder under the temporary folder, removed with its contents at the end.
class ScratchDir {
public:
    explicit ScratchDir(const char* prefix = "vnt");
    ~ScratchDir() { RemoveTree(path); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Path() const { return path; }
    std::string operator/(const std::string& name) const { return path + "\\" + name; }
private:
    std::string path;
};
bool WriteFileBytes(const std::string& path, const void* data, size_t size);
// Copies Vantora.scr and VNT32.dll into dir, so that a test can give it image sets of its own.
bool CopyProduct(const std::string& dir);
// Writes an 8 x 8 baseline JPEG of one grey level (0 to 255).
bool WriteGrayJpeg(const std::string& path, int level);

struct Rgb { int r, g, b; };
// A 32-bit top-down DIB section selected into a memory DC.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC Dc() const { return hdc; }
    DWORD* Bits() const { GdiFlush(); return pBits; }
    int Width() const { return width; }
    int Height() const { return height; }
    Rgb Pixel(int x, int y) const;
    void Fill(COLORREF color);
    std::string Snapshot() const { return std::string(reinterpret_cast<const char*>(Bits()), width * height * 4); }
    // Number of pixels in [x0, x1) x [y0, y1) for which pred holds.
    template <class Pred>
    int Count(int x0, int y0, int x1, int y1, Pred pred) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                n += pred(Pixel(x, y)) ? 1 : 0;
        return n;
    }
private:
    int width, height;
    HDC hdc;
    HBITMAP hbm;
    HGDIOBJ hOld;
    DWORD* pBits;
};
