// Choosing the next picture of the screen saver's or the wallpaper's sequence from the
// position stored in the registry, and storing the position it reaches.
#include "options/Opts.h"
#include "base/AppInfo.h"
#include "base/RegKey.h"
#include "options/PictureSequence.h"

void Opts::GetNextPict(int forScreenSaver, char* path, char* caption)
{
    if (path)
        path[0] = '\0';
    if (caption)
        caption[0] = '\0';
    if (!path || !caption)
        return;
    const bool randomOrder = IsOn(forScreenSaver ? OPT_SS_RANDOM : OPT_WP_RANDOM) != 0;
    RegKey key(AppInfo::Data().pszRootKey, 1);
    if (!key.IsReady())
        return;
    SequencePosition pos;
    pos.Read(key, forScreenSaver);
    PictureSequence sequence(forScreenSaver ? listSS : listWP, randomOrder);
    if (sequence.Next(pos, path, caption))
        pos.Write(key, forScreenSaver, randomOrder);
}
