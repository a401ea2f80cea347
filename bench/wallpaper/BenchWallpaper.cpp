// Wallpaper benchmarks.
//   bench_wallpaper setnextwp RUNS
//     Times Opts::SetNextWP (next picture drawn at the desktop's size, written as the
//     wallpaper file, set as wallpaper) with the image sets beside this program's
//     VNT32.dll. Prints "setnextwp best_ms=... mean_ms=... width=... height=... bits=...".
//   bench_wallpaper changes N
//     Runs the changer's window in this process on a clock the bench moves from one
//     planned change to the next, so that it changes the wallpaper N times in a row with
//     the image sets beside this program; prints the process's GDI objects, handles and
//     private bytes before and after: "start gdi=... ..." and "end gdi=... ...".
// The user's settings, wallpaper setting and wallpaper file are put back.
#include <windows.h>
#include <psapi.h>
#include <shlwapi.h>
#include <winternl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>
#include "options/Opts.h"
#include "wallpaper/ChangeTime.h"
#include "wallpaper/WPChangerWnd.h"
#include "../BenchUtil.h"

namespace {

const char kSettings[] = "Software\\Corvane\\Vantora\\ControlPanel";
const char kBackup[] = "Software\\VantoraBench\\Settings";

bool CopyKey(const char* from, const char* to)
{
    HKEY src = nullptr, dst = nullptr;
    bool ok = RegOpenKeyExA(HKEY_CURRENT_USER, from, 0, KEY_READ, &src) == ERROR_SUCCESS &&
              RegCreateKeyExA(HKEY_CURRENT_USER, to, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &dst,
                              nullptr) == ERROR_SUCCESS &&
              SHCopyKeyA(src, nullptr, dst, 0) == ERROR_SUCCESS;
    if (src)
        RegCloseKey(src);
    if (dst)
        RegCloseKey(dst);
    return ok;
}

// The user's state that the wallpaper code changes, put back at the end.
class SavedState {
public:
    SavedState()
    {
        HKEY h;
        bSettings = RegOpenKeyExA(HKEY_CURRENT_USER, kSettings, 0, KEY_READ, &h) == ERROR_SUCCESS;
        if (bSettings) {
            RegCloseKey(h);
            SHDeleteKeyA(HKEY_CURRENT_USER, kBackup);
            CopyKey(kSettings, kBackup);
        }
        char buf[MAX_PATH];
        SystemParametersInfoA(SPI_GETDESKWALLPAPER, sizeof(buf), buf, 0);
        wallpaper = buf;
    }
    ~SavedState()
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, kSettings);
        if (bSettings)
            CopyKey(kBackup, kSettings);
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraBench");
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(wallpaper.c_str()),
                              SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;

private:
    bool bSettings = false;
    std::string wallpaper;
};

int SetNextWPBench(int runs)
{
    SavedState saved;
    Opts opts;
    opts.Load();
    opts.UpdateImageLists();
    double best = 1e30, total = 0;
    for (int i = 0; i < runs; i++) {
        double t0 = NowMs();
        opts.SetNextWP();
        double t = NowMs() - t0;
        total += t;
        if (t < best)
            best = t;
    }
    opts.Store();
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    RECT rc;
    GetClientRect(GetDesktopWindow(), &rc);
    HDC screen = GetDC(nullptr);
    int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    HANDLE f = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD size = f != INVALID_HANDLE_VALUE ? GetFileSize(f, nullptr) : 0;
    if (f != INVALID_HANDLE_VALUE)
        CloseHandle(f);
    printf("setnextwp best_ms=%.0f mean_ms=%.0f width=%ld height=%ld bits=%d file_bytes=%lu\n", best,
           total / runs, rc.right, rc.bottom, bits, size);
    DeleteFileA(path);
    return 0;
}

// ---- Resources of a process ----------------------------------------------------

typedef LONG(WINAPI* NtQuerySystemInformationFn)(ULONG, PVOID, ULONG, PULONG);
typedef LONG(WINAPI* NtQueryInformationProcessFn)(HANDLE, ULONG, PVOID, ULONG, PULONG);

// Open handles of the process, from the system's handle list.
long CountHandles(DWORD pid)
{
    struct Entry {
        ULONG pid;
        BYTE type, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    auto query = reinterpret_cast<NtQuerySystemInformationFn>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation"));
    if (!query)
        return -1;
    std::vector<BYTE> buf(1 << 20);
    ULONG ret = 0;
    while (query(16 /* SystemHandleInformation */, buf.data(), static_cast<ULONG>(buf.size()), &ret) != 0) {
        if (buf.size() >= (64u << 20))
            return -1;
        buf.resize(buf.size() * 2);
    }
    ULONG count = *reinterpret_cast<ULONG*>(buf.data());
    const Entry* e = reinterpret_cast<const Entry*>(buf.data() + sizeof(ULONG_PTR));
    long n = 0;
    for (ULONG i = 0; i < count; i++)
        if (e[i].pid == pid)
            n++;
    return n;
}

// Committed private memory of the process, summed over its address space.
unsigned long long PrivateBytes(HANDLE process)
{
    unsigned long long total = 0;
    MEMORY_BASIC_INFORMATION mbi;
    for (BYTE* p = nullptr; VirtualQueryEx(process, p, &mbi, sizeof(mbi)) == sizeof(mbi);
         p = static_cast<BYTE*>(mbi.BaseAddress) + mbi.RegionSize) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE)
            total += mbi.RegionSize;
        if (static_cast<BYTE*>(mbi.BaseAddress) + mbi.RegionSize < p)
            break;
    }
    return total;
}

// GDI objects in the process's GDI handle table (the table the process environment block
// points to; the system's GetGuiResources may not count them on every platform).
long CountGdiTable(HANDLE process)
{
#pragma pack(push, 1)
    struct Entry {
        unsigned long long object;
        USHORT pid, count, unique;
        BYTE type, flags;
        unsigned long long user;
    };
#pragma pack(pop)
    auto query = reinterpret_cast<NtQueryInformationProcessFn>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess"));
    PROCESS_BASIC_INFORMATION pbi = {};
    if (!query || query(process, 0, &pbi, sizeof(pbi), nullptr) != 0 || !pbi.PebBaseAddress)
        return -1;
    void* table = nullptr;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<BYTE*>(pbi.PebBaseAddress) + 0x94, &table,
                           sizeof(table), &got) || !table)
        return -1;
    std::vector<Entry> entries(0x10000);
    if (!ReadProcessMemory(process, table, entries.data(), entries.size() * sizeof(Entry), &got))
        return -1;
    long n = 0;
    for (const Entry& e : entries)
        if (e.type)
            n++;
    return n;
}

void Report(const char* when, DWORD pid, HANDLE process)
{
    PROCESS_MEMORY_COUNTERS_EX pmc = {};
    pmc.cb = sizeof(pmc);
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof(pmc));
    printf("%s gdi=%lu gdi_table=%ld user=%lu handles=%ld private_bytes=%llu private_usage=%lu\n", when,
           GetGuiResources(process, GR_GDIOBJECTS), CountGdiTable(process),
           GetGuiResources(process, GR_USEROBJECTS), CountHandles(pid), PrivateBytes(process),
           static_cast<unsigned long>(pmc.PrivateUsage));
    fflush(stdout);
}

// The changer's window on a clock of its own, which the bench moves to each planned
// change: every tick is then a due change, as at a real boundary.
class SteppedChanger : public WPChangerWnd {
public:
    ULONGLONG ullClock = 0; // local time, 100-ns count

    void GetNow(SYSTEMTIME& t) override
    {
        FILETIME ft = {static_cast<DWORD>(ullClock), static_cast<DWORD>(ullClock >> 32)};
        FileTimeToSystemTime(&ft, &t);
    }
};

int ChangesBench(int n)
{
    SavedState saved;
    // Days: no boundary of its own comes during the run; every change is one of ours.
    DWORD opts = OPT_SS_CHANGE | OPT_SS_GRADUAL | OPT_WP_CHANGE, unit = 2, count = 1;
    SHSetValueA(HKEY_CURRENT_USER, kSettings, "Options", REG_DWORD, &opts, sizeof(opts));
    SHSetValueA(HKEY_CURRENT_USER, kSettings, "WP_change", REG_DWORD, &unit, sizeof(unit));
    SHSetValueA(HKEY_CURRENT_USER, kSettings, "WP_count", REG_DWORD, &count, sizeof(count));
    SYSTEMTIME now;
    GetLocalTime(&now);
    SteppedChanger changer;
    changer.ullClock = LocalTimeToCount(now);
    if (!FwWnd::RegisterClassExA(WPCHANGER_CLASS, 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0) ||
        !changer.Create(WPCHANGER_CLASS, WPCHANGER_CLASS, 0, 0, 0, 1, 1, nullptr, nullptr, nullptr)) {
        printf("no changer window\n");
        return 1;
    }
    HANDLE process = GetCurrentProcess();
    const DWORD pid = GetCurrentProcessId();
    auto change = [&] {
        const ULONGLONG planned = changer.ullNextChange;
        changer.ullClock = planned;
        changer.SendMsg(WM_TIMER, WPChangerWnd::idChangeTimer);
        return changer.ullNextChange > planned;
    };
    // A few changes first, so caches and lazily made objects are in place.
    for (int i = 0; i < 5; i++)
        change();
    Report("start", pid, process);
    double t0 = NowMs();
    int done = 0;
    for (int i = 0; i < n; i++)
        done += change() ? 1 : 0;
    double t = NowMs() - t0;
    Report("end", pid, process);
    printf("changes done=%d of %d mean_ms=%.1f\n", done, n, done ? t / done : 0.0);
    changer.Destroy();
    FwWnd::UnregisterClassA(WPCHANGER_CLASS);
    char path[MAX_PATH];
    Opts::GetPathForBMP(path);
    DeleteFileA(path);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && strcmp(argv[1], "setnextwp") == 0)
        return SetNextWPBench(atoi(argv[2]) > 0 ? atoi(argv[2]) : 1);
    if (argc >= 3 && strcmp(argv[1], "changes") == 0)
        return ChangesBench(atoi(argv[2]) > 0 ? atoi(argv[2]) : 1);
    printf("usage: bench_wallpaper setnextwp RUNS | changes N\n");
    return 2;
}
