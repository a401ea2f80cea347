// Slideshow figures, each beside its reference in one run (scripts/bench-slideshow):
//   tick DIR RUNS     time from a timer tick to the new picture on the screen, with the
//                     frame prepared ahead, beside drawing the photo at the tick as before
//   exit SCR RUNS     key press to saver window gone and to process exit, for the real
//                     Vantora.scr showing 24-megapixel photos every second (its worker busy
//                     preparing the next), beside a minimal full-screen window
//   minimal           the minimal full-screen window itself: a key closes it
#include <windows.h>
#include <shlwapi.h>
#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>
#include "SlideshowWnd.h"
#include "base/AppInfo.h"
#include "base/FwDC.h"
#include "picture/iPicture.h"
#include "../BenchUtil.h"

namespace {

double Median(std::vector<double> v)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void Pump()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

template <class Cond>
bool WaitUntil(Cond cond, DWORD ms)
{
    DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > ms)
            return false;
        Pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

int Tick(int runs)
{
    // Settings of its own, so the real ones stay as they are.
    AppInfo identity(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora", "VNT.hlp", 0, 0);
    identity.SetAppRootKey("HKCU\\Software\\VantoraBench\\Slideshow");
    FwWnd::RegisterClassExA("VntBenchSlideshow", CS_OWNDC, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    SlideshowWnd* p = new SlideshowWnd;
    if (!p->CreateEx(WS_EX_TOPMOST, "VntBenchSlideshow", "Bench", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy,
                     nullptr, nullptr, nullptr))
        return 1;
    HWND hWnd = p->hWnd;
    p->opts.dwOpts = OPT_SS_CHANGE; // no gradual replacement: the figure is the change itself
    p->opts.dwTimeOut = 3600;       // ticks only when the bench sends them

    std::vector<double> prepared, atTick, ahead;
    double tShown = NowMs();
    for (int i = 0; i < runs; ++i) {
        if (!WaitUntil([&] { return !p->IsShowDue() && !p->preparer.IsBusy(); }, 60000))
            return 2;
        if (i > 0)
            ahead.push_back(NowMs() - tShown);
        double t0 = NowMs();
        SendMessageA(hWnd, WM_TIMER, 1, 0);
        WaitUntil([&] { return !p->IsShowDue(); }, 60000);
        GdiFlush();
        tShown = NowMs();
        prepared.push_back(tShown - t0);

        // As before: the next photo chosen, decoded, scaled and drawn at the tick.
        t0 = NowMs();
        {
            char path[520], caption[520];
            p->opts.GetNextPict(1, path, caption);
            ClientDC dc(hWnd);
            iPicture picture;
            picture.Blast(hWnd, path, 1, dc, Opts::pszCopyrightText, caption, 1);
            GdiFlush();
        }
        atTick.push_back(NowMs() - t0);
    }
    DestroyWindow(hWnd);
    SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraBench");
    printf("tick frame=%dx%d runs=%d prepared_ms=%.1f at_tick_ms=%.1f prepare_ahead_ms=%.1f\n", cx, cy, runs,
           Median(prepared), Median(atTick), Median(ahead));
    return 0;
}

LRESULT CALLBACK MinimalProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_KEYDOWN:
        PostMessageA(hWnd, WM_CLOSE, 0, 0);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hWnd, msg, wParam, lParam);
}

int Minimal()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MinimalProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = "VntBenchMinimal";
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "Minimal", WS_POPUP | WS_VISIBLE, 0, 0,
                                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                wc.hInstance, nullptr);
    SetForegroundWindow(hWnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}

struct FindData {
    DWORD pid;
    HWND hWnd;
};

BOOL CALLBACK FindVisible(HWND hWnd, LPARAM lParam)
{
    FindData* d = reinterpret_cast<FindData*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != d->pid || !IsWindowVisible(hWnd))
        return TRUE;
    d->hWnd = hWnd;
    return FALSE;
}

// Starts the program, presses a key once its window has shown pictures for a while, and
// measures until the window is gone and until the process has ended.
bool KeyToGone(const std::string& cmd, double& goneMs, double& exitMs)
{
    STARTUPINFOA si = {sizeof si};
    PROCESS_INFORMATION pi = {};
    std::vector<char> line(cmd.begin(), cmd.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    FindData d = {pi.dwProcessId, nullptr};
    bool ok = WaitUntil([&] { EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&d)); return d.hWnd != nullptr; }, 30000);
    if (ok) {
        Sleep(2500); // a few pictures in: the saver's worker is busy with the next photo
        SetForegroundWindow(d.hWnd);
        double t0 = NowMs();
        keybd_event(VK_SPACE, 0, 0, 0);
        keybd_event(VK_SPACE, 0, KEYEVENTF_KEYUP, 0);
        ok = WaitUntil([&] { return !IsWindow(d.hWnd) || !IsWindowVisible(d.hWnd); }, 30000);
        goneMs = NowMs() - t0;
        ok = ok && WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
        exitMs = NowMs() - t0;
    }
    if (WaitForSingleObject(pi.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return ok;
}

int Exit(const std::string& scr, int runs)
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const struct {
        const char* name;
        std::string cmd;
    } programs[] = {{"minimal", std::string("\"") + self + "\" minimal"}, {"saver", "\"" + scr + "\" /s"}};
    for (const auto& prog : programs) {
        std::vector<double> gone, ended;
        for (int i = 0; i < runs; ++i) {
            double g, e;
            if (KeyToGone(prog.cmd, g, e)) {
                gone.push_back(g);
                ended.push_back(e);
            }
        }
        printf("exit %s runs=%d gone_ms=%.0f exit_ms=%.0f\n", prog.name, static_cast<int>(gone.size()),
               Median(gone), Median(ended));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "tick")
        return Tick(argc > 2 ? atoi(argv[2]) : 3);
    if (mode == "exit" && argc > 2)
        return Exit(argv[2], argc > 3 ? atoi(argv[3]) : 3);
    if (mode == "minimal")
        return Minimal();
    fprintf(stderr, "usage: bench_slideshow tick RUNS | exit SCR RUNS | minimal\n");
    return 1;
}
