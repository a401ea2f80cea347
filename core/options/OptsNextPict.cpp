// Choosing the next picture of the screen saver's or the wallpaper's sequence, in list or
// random order, from the position stored in the registry.
#include "options/Opts.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>
#include <vector>
#include "base/AppInfo.h"
#include "base/FwFindFile.h"
#include "base/Mbcs.h"
#include "base/Path.h"
#include "base/RegKey.h"
#include "options/ImageSetNames.h"
#include "options/SetPictures.h"

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

enum TryResult { tryFound, tryNoPicture, tryNoSet, tryNoMemory };

// Looks for picture index pic (file number pic + 1) in the set's folder with a search of
// its own; on success path holds its full path.
TryResult SearchPicture(const char* images, const char* set, unsigned long pic, char* path)
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

// The set folders as one call sees them. Most calls find their picture at the first try,
// which searches for its one number; after that each folder is read once, on its first
// visit, and the picture numbers are matched in memory.
class VisitedSets {
public:
    VisitedSets(const char* images, const ImageSetNames& sets)
        : pszImages(images), sets(sets), bFirstTry(true) {}

    // Looks for picture index pic (file number pic + 1) in the set at position cur; on
    // success path holds its full path.
    TryResult Try(unsigned long cur, unsigned long pic, char* path)
    {
        const char* set = sets.Get(cur);
        if (!set)
            return tryNoSet;
        if (bFirstTry) {
            bFirstTry = false;
            return SearchPicture(pszImages, set, pic, path);
        }
        try {
            if (read.empty())
                read.resize(sets.GetCount());
            if (!read[cur]) {
                char folder[cbPictBuffer];
                Format(folder, sizeof folder, "%s\\%s", pszImages, set); // too long: no folder
                read[cur].reset(new SetPictures(folder));
            }
        } catch (const std::bad_alloc&) {
            return tryNoMemory;
        }
        if (!read[cur]->IsFolder())
            return tryNoSet;
        const char* name = read[cur]->Find(pic);
        if (!name || !Format(path, cbPictBuffer, "%s\\%s\\%s", pszImages, set, name))
            return tryNoPicture;
        return tryFound;
    }

private:
    const char* pszImages;
    const ImageSetNames& sets;
    bool bFirstTry;
    std::vector<std::unique_ptr<SetPictures>> read;
};

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
    char images[MAX_PATH];
    GetHomeDir(images);
    MakePath(images, images, "Images");
    if (!images[0])
        return;

    VisitedSets visited(images, sets);
    int attempts = 0;
    bool backAtStart = false; // list order, several sets: the cycle has come round to startSet
    for (;;) {
        if (randomOrder) {
            if (++attempts > kRandomAttempts)
                return;
            do
                pic = static_cast<unsigned long>(rand()) % kPicturesPerSet;
            while (pic == startPic);
            if (n > 1)
                cur = static_cast<unsigned long>(rand()) % n;
        } else {
            ++pic;
            if (pic >= kPicturesPerSet) {
                pic = 0;
                if (n == 1) {
                    startPic = kPicturesPerSet - 1;
                } else {
                    if (backAtStart)
                        return; // a full cycle without a picture
                    cur = (cur + 1) % n;
                    // Back in the start set, its pictures up to the one shown last get
                    // their turn: without them a set with no picture would stop the
                    // sequence there for good, since a failed call stores nothing.
                    backAtStart = cur == startSet;
                }
            }
            if (n == 1 && pic == startPic)
                return;
            if (backAtStart && pic > startPic)
                return;
        }
        TryResult result = visited.Try(cur, pic, path);
        if (result == tryFound)
            break;
        path[0] = '\0';
        if (result == tryNoMemory)
            return;
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
