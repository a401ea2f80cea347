// TEMPORARY until the wallpaper bitmap is produced: this build never writes the wallpaper
// bitmap file, so DelBMP has nothing to delete yet. SetWallpaper already makes the given
// file the wallpaper, or clears it. Both move to the wallpaper code, which replaces this
// file.
#include "options/Opts.h"

void Opts::DelBMP()
{
    // Nothing to delete yet: no wallpaper bitmap is written by this build.
}

void SetWallpaper(const char* file)
{
    if (file)
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 4, const_cast<char*>(file),
                              SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
    else
        SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(""),
                              SPIF_UPDATEINIFILE | SPIF_SENDWININICHANGE);
}
