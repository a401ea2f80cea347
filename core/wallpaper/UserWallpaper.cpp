#include "wallpaper/UserWallpaper.h"
#include "base/Path.h"
#include "base/RegKey.h"
#include "options/Opts.h"
#include "options/OptsStoreHook.h"
#include "wallpaper/OptsWallpaper.h"

static const char kDesktopKey[] = "HKCU\\Control Panel\\Desktop";
static const char kWallpaper[] = "Wallpaper";
// The desktop's style values and where the settings key keeps the user's: the remembered
// file, then each style value.
static const char* const kStyles[] = {"WallpaperStyle", "TileWallpaper"};
static const char kSavedWallpaper[] = "WP_UserWallpaper";
static const char* const kSavedStyles[] = {"WP_UserStyle", "WP_UserTile"};
static const int kStyleCount = sizeof(kStyles) / sizeof(kStyles[0]);

// Copies a string value from one key to another; a missing value is removed at the
// destination.
static void CopyStyle(RegKey& from, const char* fromName, RegKey& to, const char* toName)
{
    unsigned long type = from.GetValueType(fromName);
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        char value[64];
        from.GetStr(fromName, value, sizeof(value), "");
        to.PutStr(toName, value);
    } else {
        to.DelValue(toName);
    }
}

void GetDesktopWallpaper(char* path)
{
    path[0] = '\0';
    RegKey desk(kDesktopKey, 0);
    // Another process's change reaches the registry; this process's cached copy of the
    // system parameter may not follow it.
    if (desk.GetValueType(kWallpaper))
        desk.GetStr(kWallpaper, path, MAX_PATH, "");
    else if (!SystemParametersInfoA(SPI_GETDESKWALLPAPER, MAX_PATH, path, 0))
        path[0] = '\0';
    path[MAX_PATH - 1] = '\0';
}

int IsOurWallpaper(const char* path)
{
    char ours[MAX_PATH];
    Opts::GetPathForBMP(ours);
    return path[0] && ours[0] && lstrcmpiA(path, ours) == 0;
}

void RememberUserWallpaper(RegKey& settings)
{
    char current[MAX_PATH];
    GetDesktopWallpaper(current);
    if (IsOurWallpaper(current))
        return;
    RegKey desk(kDesktopKey, 0);
    settings.PutStr(kSavedWallpaper, current);
    for (int i = 0; i < kStyleCount; i++)
        CopyStyle(desk, kStyles[i], settings, kSavedStyles[i]);
}

void PutBackUserWallpaper(RegKey& settings)
{
    char current[MAX_PATH];
    GetDesktopWallpaper(current);
    if (IsOurWallpaper(current)) {
        char saved[MAX_PATH] = "";
        settings.GetStr(kSavedWallpaper, saved, sizeof(saved), "");
        if (saved[0] && FileExists(saved)) {
            // The system reads the style when it is told of the new wallpaper.
            RegKey desk(kDesktopKey, 1);
            for (int i = 0; i < kStyleCount; i++)
                if (settings.GetValueType(kSavedStyles[i]))
                    CopyStyle(settings, kSavedStyles[i], desk, kStyles[i]);
            SetWallpaper(saved);
        } else {
            SetWallpaper(nullptr);
        }
    }
    settings.DelValue(kSavedWallpaper);
    for (int i = 0; i < kStyleCount; i++)
        settings.DelValue(kSavedStyles[i]);
}

int CanSpanWallpaper()
{
    OSVERSIONINFOA vi = {};
    vi.dwOSVersionInfoSize = sizeof vi;
    // Without a manifest naming newer systems Windows 8.1 and later report 6.2: still 8.
    return GetVersionExA(&vi) && vi.dwPlatformId == VER_PLATFORM_WIN32_NT &&
           (vi.dwMajorVersion > 6 || (vi.dwMajorVersion == 6 && vi.dwMinorVersion >= 2));
}

void SetAllMonitorsStyle(int span)
{
    RegKey desk(kDesktopKey, 1);
    desk.PutStr(kStyles[0], span ? "22" : "0");
    desk.PutStr(kStyles[1], span ? "0" : "1");
}

namespace {

// With the changer off no wallpaper of ours may stay behind; the user's own comes back.
void OnOptsStored(Opts& opts, RegKey& settings)
{
    if (opts.IsOn(OPT_WP_CHANGE))
        return;
    PutBackUserWallpaper(settings);
    Opts::DelBMP();
}

// Installed while the library loads, before any options record can be stored.
struct StoreHookInstaller {
    StoreHookInstaller() { SetOptsStoreHook(OnOptsStored); }
} storeHookInstaller;

} // namespace
