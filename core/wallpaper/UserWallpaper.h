// The user's own desktop wallpaper, kept aside while one of ours is shown: remembered
// (file and style) in the settings key when ours replaces it, put back when ours goes.
#pragma once
#include <windows.h>
#include "VntApi.h"

class RegKey;

// The desktop wallpaper as the user's settings hold it (260-byte buffer; "" for none).
VNT_API void GetDesktopWallpaper(char* path);
// Whether path names the wallpaper bitmap file of ours.
VNT_API int IsOurWallpaper(const char* path);
// Before ours becomes the wallpaper: remembers the current one unless it is ours already.
void RememberUserWallpaper(RegKey& settings);
// When ours goes: if the desktop shows ours, the remembered wallpaper comes back with its
// style (none when nothing is remembered or its file is gone); a wallpaper the user set
// meanwhile is left alone. The remembered one is forgotten either way.
void PutBackUserWallpaper(RegKey& settings);

// Whether the system can span one wallpaper over all monitors (Windows 8 and later).
int CanSpanWallpaper();
// Sets the desktop's style for a wallpaper bitmap covering all monitors: spanned, or tiled
// from the primary monitor's top-left corner. Takes effect with the next SetWallpaper.
void SetAllMonitorsStyle(int span);
