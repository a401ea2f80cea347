// Times Opts::GetNextPict on a folder set of a large tree (scripts/bench-folder-set makes
// one of 100,000 photos in 2,000 folders), beside a bare FindFirstFileA walk of the same
// tree. One measurement per run, so that each starts as a fresh process:
//   bench_folderset walk ROOT    the bare walk: JPEG files counted, time
//   bench_folderset first ROOT   no index yet: first pick, then the index complete
//   bench_folderset later ROOT   with the index: first pick, then picks in list and random
//                                order, and the process's private memory
// The settings go to a private key; the index to the user's local application data.
// Prints "name=value" figures.
#include <windows.h>
#include <psapi.h>
#include <shlwapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include "base/AppInfo.h"
#include "options/ImageSetInfo.h"
#include "options/Opts.h"
#include "PickTimer.h"

namespace {

bool IsJpeg(const char* name)
{
    const char* dot = strrchr(name, '.');
    return dot && (!lstrcmpiA(dot, ".jpg") || !lstrcmpiA(dot, ".jpeg") || !lstrcmpiA(dot, ".jpe"));
}

long BareWalk(const std::string& folder)
{
    long count = 0;
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((folder + "\\*").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (strcmp(fd.cFileName, ".") && strcmp(fd.cFileName, ".."))
                count += BareWalk(folder + "\\" + fd.cFileName);
        } else {
            count += IsJpeg(fd.cFileName);
        }
    } while (FindNextFileA(h, &fd));
    FindClose(h);
    return count;
}

// The process's private bytes at their peak (Wine leaves PrivateUsage at 0; the page-file
// figures are the private bytes on NT).
double PeakPrivateMb()
{
    PROCESS_MEMORY_COUNTERS pmc = {sizeof pmc};
    GetProcessMemoryInfo(GetCurrentProcess(), &pmc, sizeof pmc);
    return pmc.PeakPagefileUsage / 1048576.0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    const std::string mode = argv[1], root = argv[2];
    if (mode == "walk") {
        double t0 = NowMs();
        long n = BareWalk(root);
        printf("bare_walk_ms=%.0f files=%ld\n", NowMs() - t0, n);
        return 0;
    }
    const std::string key = "Software\\VantoraTest\\BenchFolderSet";
    AppInfo identity(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora", nullptr, 0, 0);
    identity.SetAppRootKey(("HKCU\\" + key).c_str());
    const std::string item = "1" + root;
    Opts opts;
    opts.Load();
    opts.listSS.RemoveAll();
    opts.listSS.AddTail(item.c_str());
    opts.Set(OPT_SS_RANDOM, 0);
    char path[cbPictBuffer], caption[cbPictBuffer];
    double t0 = NowMs();
    opts.GetNextPict(1, path, caption);
    printf("first_pick_ms=%.1f (%s) picture=%s\n", NowMs() - t0,
           mode == "first" ? "no index" : "index present", path);
    if (mode == "first") {
        while (CountSetPictures(item.c_str()) == -2)
            Sleep(50);
        printf("index_complete_ms=%.0f pictures=%ld peak_private_mb=%.1f\n", NowMs() - t0,
               CountSetPictures(item.c_str()), PeakPrivateMb());
    } else {
        int found;
        double list = TimePicks(opts, 10000, found);
        printf("pick_list_ms=%.3f found=%d\n", list, found);
        opts.Set(OPT_SS_RANDOM, 1);
        double random = TimePicks(opts, 10000, found);
        printf("pick_random_ms=%.3f found=%d\n", random, found);
        printf("peak_private_mb=%.1f\n", PeakPrivateMb());
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    return 0;
}
