// Times Opts::GetNextPict with 50 image sets of 50 pictures, in list and random order:
// the typical call (the next picture exists) and the worst call (a full cycle, or 100
// random attempts, without finding a picture), beside what the same calls cost when each
// try made a folder test and a directory search of its own (before each set folder was
// read once per call). The sets live in a scratch folder that a private machine-wide "Home" value
// makes the product's home folder; the positions go to a private settings key.
// Usage: bench_options [TYPICAL_CALLS [WORST_CALLS]]
// Prints "NAME us_per_call=... calls=..." lines and a table of now and before.
#include <windows.h>
#include <shlwapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include "base/AppInfo.h"
#include "options/Opts.h"
#include "PickTimer.h"

namespace {

const int kSets = 50, kPictures = 50;

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((path + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::string name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = path + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full);
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(h, &fd));
        FindClose(h);
    }
    RemoveDirectoryA(path.c_str());
}

std::string SetName(const char* prefix, int i)
{
    char name[32];
    snprintf(name, sizeof name, "%s%02d", prefix, i);
    return name;
}

void Report(const char* name, double us, int calls)
{
    printf("%s us_per_call=%.1f calls=%d\n", name, us / calls, calls);
}

// One folder test and one FindFirstFileA per picture number of every set: what a try
// cost before. The time in microseconds per try.
double TimePerNumberSearch(const std::string& images, const char* prefix, int& found)
{
    found = 0;
    double t0 = NowMs() * 1000;
    for (int s = 0; s < kSets; ++s)
        for (int p = 1; p <= kPictures; ++p) {
            GetFileAttributesA((images + "\\" + SetName(prefix, s)).c_str());
            char pattern[MAX_PATH];
            snprintf(pattern, sizeof pattern, "%s\\%s\\%02d*.jpg", images.c_str(), SetName(prefix, s).c_str(), p);
            WIN32_FIND_DATAA fd;
            HANDLE h = FindFirstFileA(pattern, &fd);
            if (h != INVALID_HANDLE_VALUE) {
                found++;
                FindClose(h);
            }
        }
    return (NowMs() * 1000 - t0) / (kSets * kPictures);
}

} // namespace

int main(int argc, char** argv)
{
    int typical = argc > 1 ? atoi(argv[1]) : kSets * kPictures;
    int worst = argc > 2 ? atoi(argv[2]) : 20;

    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string home = std::string(temp) + "vntbench" + std::to_string(GetCurrentProcessId());
    std::string images = home + "\\Images";
    CreateDirectoryA(home.c_str(), nullptr);
    CreateDirectoryA(images.c_str(), nullptr);
    for (int s = 0; s < kSets; ++s) {
        std::string set = images + "\\" + SetName("Set", s);
        CreateDirectoryA(set.c_str(), nullptr);
        CreateDirectoryA((images + "\\" + SetName("Empty", s)).c_str(), nullptr);
        for (int p = 1; p <= kPictures; ++p) {
            char name[64];
            snprintf(name, sizeof name, "\\%02d_Picture_%d.jpg", p, p);
            HANDLE h = CreateFileA((set + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            if (h != INVALID_HANDLE_VALUE)
                CloseHandle(h);
        }
    }

    // Private keys: the settings, and the machine-wide root holding the "Home" value.
    std::string key = "Software\\VantoraTest\\Bench_" + std::to_string(GetCurrentProcessId());
    HKEY hLm = nullptr, hSetup = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, (key + "\\lm").c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hLm, nullptr);
    RegCreateKeyExA(hLm, "Software\\Corvane\\Vantora\\Setup", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hSetup, nullptr);
    RegSetValueExA(hSetup, "Home", 0, REG_SZ, reinterpret_cast<const BYTE*>(home.c_str()),
                   static_cast<DWORD>(home.size() + 1));
    RegCloseKey(hSetup);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, hLm);
    {
        AppInfo identity(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora", nullptr, 0, 0);
        identity.SetAppRootKey(("HKCU\\" + key).c_str());
        Opts opts;
        opts.Reset();
        int found = 0;

        for (int s = 0; s < kSets; ++s)
            opts.listSS.AddTail(("1" + SetName("Set", s)).c_str());
        opts.Set(OPT_SS_RANDOM, 0);
        double listTypical = TimePicks(opts, typical, found) * 1000;
        Report("nextpict_list_typical", listTypical * typical, typical);
        printf("  found=%d\n", found);
        opts.Set(OPT_SS_RANDOM, 1);
        srand(1);
        double randomTypical = TimePicks(opts, typical, found) * 1000;
        Report("nextpict_random_typical", randomTypical * typical, typical);
        printf("  found=%d\n", found);

        // Every set exists but holds no picture: each call searches all of them.
        opts.listSS.RemoveAll();
        for (int s = 0; s < kSets; ++s)
            opts.listSS.AddTail(("1" + SetName("Empty", s)).c_str());
        opts.Set(OPT_SS_RANDOM, 0);
        double listWorst = TimePicks(opts, worst, found) * 1000;
        Report("nextpict_list_worst", listWorst * worst, worst);
        printf("  found=%d tries_per_call=%d\n", found, kSets * kPictures);
        opts.Set(OPT_SS_RANDOM, 1);
        double randomWorst = TimePicks(opts, worst, found) * 1000;
        Report("nextpict_random_worst", randomWorst * worst, worst);
        printf("  found=%d tries_per_call=100\n", found);

        double hit = TimePerNumberSearch(images, "Set", found);
        Report("search_per_number_hit", hit * kSets * kPictures, kSets * kPictures);
        double miss = TimePerNumberSearch(images, "Empty", found);
        Report("search_per_number_miss", miss * kSets * kPictures, kSets * kPictures);

        // Before, a typical call made one try, a worst call one per number of every set in
        // list order, or 100 in random order: the searches alone, a lower bound of the call.
        printf("\n%-16s %12s %20s\n", "call", "now_ms", "before_searches_ms");
        printf("%-16s %12.3f %20.3f\n", "list_typical", listTypical / 1000, hit / 1000);
        printf("%-16s %12.3f %20.3f\n", "random_typical", randomTypical / 1000, hit / 1000);
        printf("%-16s %12.3f %20.3f\n", "list_worst", listWorst / 1000, miss * kSets * kPictures / 1000);
        printf("%-16s %12.3f %20.3f\n", "random_worst", randomWorst / 1000, miss * 100 / 1000);
    }
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(hLm);
    SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VantoraTest");
    RemoveTree(home);
    return 0;
}
