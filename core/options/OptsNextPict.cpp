// Choosing the next picture of the screen saver's or the wallpaper's sequence, in list or
// random order, from the position stored in the registry.
#include "options/Opts.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include "base/AppInfo.h"
#include "base/FwFindFile.h"
#include "base/Mbcs.h"
#include "base/Path.h"
#include "base/RegKey.h"
#include "options/ImageSetNames.h"

namespace {

const unsigned long kPicturesPerSet = 50;
const int kRandomAttempts = 100;

// snprintf that fails instead of cutting.
bool Format(char* buf, size_t size, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    int n = vsnprintf(buf, size, fmt, args);
    va_end(args);
    if (n < 0 || static_cast<size_t>(n) >= size) {
        buf[0] = '\0';
        return false;
    }
    return true;
}

enum TryResult { tryFound, tryNoPicture, tryNoSet };

// Looks for picture index pic (file number pic + 1) in the set's folder; on success path
// holds its full path.
TryResult TryPicture(const char* images, const char* set, unsigned long pic, char* path)
{
    char folder[cbPictBuffer];
    if (!Format(folder, sizeof folder, "%s\\%s", images, set) || !FolderExists(folder))
        return tryNoSet;
    char pattern[cbPictBuffer];
    if (!Format(pattern, sizeof pattern, "%s\\%s\\%02lu*.jpg", images, set, pic + 1))
        return tryNoPicture;
    FwFindFile find;
    if (!find.First(pattern) || find.IsDir())
        return tryNoPicture;
    if (!Format(path, cbPictBuffer, "%s\\%s\\%s", images, set, find.data.cFileName))
        return tryNoPicture;
    return tryFound;
}

// The caption of a picture: its file name less the number and the separator after it,
// less the extension, with "_" shown as a space.
void MakeCaption(const char* path, char* caption)
{
    const char* p = FindNameExt(path);
    if (!p)
        return;
    for (int i = 0; i < 3 && *p; ++i)
        IncPsz(p); // whole characters: a double-byte separator is never split
    StrCopyN(caption, p, cbPictBuffer);
    StripFileExt(caption);
    for (char* q = caption; *q; IncPsz(q))
        if (*q == '_')
            *q = ' ';
}

} // namespace

void Opts::GetNextPict(int forScreenSaver, char* path, char* caption)
{
    if (path)
        path[0] = '\0';
    if (caption)
        caption[0] = '\0';
    if (!path || !caption)
        return;
    const StrList& list = forScreenSaver ? listSS : listWP;
    const bool randomOrder = IsOn(forScreenSaver ? OPT_SS_RANDOM : OPT_WP_RANDOM) != 0;
    const char* lastPicName = forScreenSaver ? pszSSLastPicInd : pszWPLastPicInd;
    const char* lastSetName = forScreenSaver ? pszSSLastSetInd : pszWPLastSetInd;

    RegKey key(AppInfo::Data().pszRootKey, 1);
    if (!key.IsReady())
        return;
    ImageSetNames sets(list);
    const unsigned long n = sets.GetCount();
    if (n == 0)
        return;
    unsigned long pic = key.GetDword(lastPicName, 0);
    unsigned long cur = key.GetDword(lastSetName, 0);
    if (cur >= n)
        pic = cur = 0;
    const unsigned long startSet = cur;
    unsigned long startPic = pic;
    const char* set = sets.Get(cur);
    char images[MAX_PATH];
    GetHomeDir(images);
    MakePath(images, images, "Images");
    if (!images[0])
        return;

    int attempts = 0;
    for (;;) {
        if (randomOrder) {
            if (++attempts > kRandomAttempts)
                return;
            do
                pic = static_cast<unsigned long>(rand()) % kPicturesPerSet;
            while (pic == startPic);
            if (n > 1) {
                cur = static_cast<unsigned long>(rand()) % n;
                set = sets.Get(cur);
            }
        } else {
            ++pic;
            if (pic >= kPicturesPerSet) {
                pic = 0;
                if (n == 1) {
                    startPic = kPicturesPerSet - 1;
                } else {
                    cur = (cur + 1) % n;
                    if (cur == startSet)
                        return; // a full cycle without a picture
                    set = sets.Get(cur);
                }
            }
            if (n == 1 && pic == startPic)
                return;
        }
        TryResult result = TryPicture(images, set, pic, path);
        if (result == tryFound)
            break;
        path[0] = '\0';
        if (result == tryNoSet && !randomOrder) {
            if (n == 1)
                return;
            pic = kPicturesPerSet; // skip the rest of the missing set
        }
    }
    key.PutDword(lastPicName, pic);
    key.PutDword(lastSetName, cur);
    MakeCaption(path, caption);
}
