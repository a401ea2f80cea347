#include "options/PictureSequence.h"
#include <windows.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <new>
#include <vector>
#include "base/CritSec.h"
#include "base/Mbcs.h"
#include "base/Path.h"
#include "base/RegKey.h"
#include "options/FolderSetIndex.h"
#include "options/ImageSetInfo.h"
#include "options/ImageSetNames.h"
#include "options/Opts.h"
#include "options/SetPictures.h"
#include "picture/ExifOrientation.h"
#include "picture/FwFile.h"
#include "base/Format.h"

namespace {

const unsigned long kPicturesPerSet = 50;
const DWORD kFirstPictureWait = 1000; // a folder set walked for the first time
const DWORD kMoreWait = 200;          // the walk of a folder set behind the sequence

// "_" shown as a space, whole characters.
void Underscores(char* text)
{
    for (char* q = text; *q; IncPsz(q))
        if (*q == '_')
            *q = ' ';
}

// A numbered set's caption: the file name less the number and the separator after it,
// less the extension.
void NumberedCaption(const char* path, char* caption)
{
    const char* p = FindNameExt(path);
    if (!p)
        return;
    for (int i = 0; i < 3 && *p; ++i)
        IncPsz(p); // whole characters: a double-byte separator is never split
    StrCopyN(caption, p, cbPictBuffer);
    StripFileExt(caption);
    Underscores(caption);
}

// A folder set's caption: the picture's folder and the day the photo was taken, or the
// file name without its extension when the photo carries no date.
void FolderCaption(const char* path, char* caption)
{
    SYSTEMTIME taken;
    bool dated = false;
    {
        FwFile file;
        dated = file.Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, 0) &&
                ReadExifDate(file, taken);
    }
    char date[128];
    if (dated && GetDateFormatA(LOCALE_USER_DEFAULT, DATE_LONGDATE, &taken, nullptr, date, sizeof date)) {
        char folder[cbPictBuffer];
        StrCopyN(folder, path, sizeof folder);
        StripFileName(folder);
        RemoveBackSlash(folder);
        const char* name = FindNameExt(folder);
        if (name && *name && FormatWhole(caption, cbPictBuffer, "%s, %s", name, date))
            return;
    }
    const char* name = FindNameExt(path);
    StrCopyN(caption, name ? name : "", cbPictBuffer);
    StripFileExt(caption);
    Underscores(caption);
}

enum TryResult { tryFound, tryNoPicture, tryNoSet };

// The listings of numbered set folders, kept for the process while a folder's last-write
// time stays the same: a shuffle counts the pictures of every set in use at each call.
class NumberedListings {
public:
    static std::shared_ptr<SetPictures> Get(const std::string& folder)
    {
        static NumberedListings* listings = new NumberedListings; // workers never use it; kept to the end
        return listings->Find(folder);
    }

private:
    struct Entry {
        FILETIME written;
        std::shared_ptr<SetPictures> set;
    };
    CritSec cs;
    std::map<std::string, Entry> entries;

    std::shared_ptr<SetPictures> Find(const std::string& folder)
    {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExA(folder.c_str(), GetFileExInfoStandard, &data))
            return std::make_shared<SetPictures>(nullptr); // no folder: no pictures
        // A folder written in the last seconds may change again within its time's
        // resolution (2 s on FAT): listed anew until it is older.
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER n = {{now.dwLowDateTime, now.dwHighDateTime}},
                       w = {{data.ftLastWriteTime.dwLowDateTime, data.ftLastWriteTime.dwHighDateTime}};
        const bool settled = n.QuadPart > w.QuadPart + 3 * 10000000ull;
        CritSecLock lock(cs);
        Entry& entry = entries[folder];
        if (!entry.set || !settled || CompareFileTime(&entry.written, &data.ftLastWriteTime) != 0) {
            entry.set = std::make_shared<SetPictures>(folder.c_str());
            entry.written = data.ftLastWriteTime;
        }
        return entry.set;
    }
};

// The sets in use as one call sees them: each numbered set's folder is read once, on its
// first visit; a folder set's pictures come from its index.
class Sets {
public:
    explicit Sets(const StrList& list) : names(list)
    {
        GetHomeDir(szImages);
        MakePath(szImages, szImages, "Images");
        numbered.resize(names.GetCount());
        indexes.resize(names.GetCount());
    }
    unsigned long GetCount() const { return names.GetCount(); }

    // Picture slots of the set: 50 numbers of a numbered set, the pictures of a folder set
    // known once the walk has passed pic (waiting a little for it).
    unsigned long Slots(unsigned long cur, unsigned long pic)
    {
        if (!IsFolderSet(cur))
            return kPicturesPerSet;
        FolderSetIndex* index = Index(cur);
        if (!index)
            return 0;
        bool complete;
        size_t count = index->GetCount(&complete);
        if (pic >= count && !complete) {
            index->WaitForMore(pic, count ? kMoreWait : kFirstPictureWait);
            count = index->GetCount();
        }
        return static_cast<unsigned long>(count);
    }

    // The pictures of the set now, for the shuffle.
    unsigned long Count(unsigned long cur)
    {
        if (IsFolderSet(cur))
            return Slots(cur, 0);
        SetPictures* set = Numbered(cur);
        return set ? set->GetCount() : 0;
    }
    // The slot of the k-th picture of the set.
    unsigned long SlotOf(unsigned long cur, unsigned long k)
    {
        if (IsFolderSet(cur))
            return k;
        SetPictures* set = Numbered(cur);
        return set ? set->IndexOf(static_cast<int>(k)) : kPicturesPerSet;
    }

    TryResult Try(unsigned long cur, unsigned long pic, char* path)
    {
        path[0] = '\0';
        if (IsFolderSet(cur)) {
            FolderSetIndex* index = Index(cur);
            if (!index || Slots(cur, 0) == 0)
                return tryNoSet;
            if (!index->GetPath(pic, path, cbPictBuffer))
                return tryNoPicture;
            if (!FileExists(path)) {
                // Deleted since the walk: passed over, and the index is brought up to date.
                index->Check(true);
                path[0] = '\0';
                return tryNoPicture;
            }
            return tryFound;
        }
        SetPictures* set = Numbered(cur);
        if (!set || !set->IsFolder())
            return tryNoSet;
        const char* name = set->Find(pic);
        if (!name || !FormatWhole(path, cbPictBuffer, "%s\\%s", Folder(cur).c_str(), name))
            return tryNoPicture;
        return tryFound;
    }

    bool IsFolderSet(unsigned long cur) const { return IsFolderSetName(names.Get(cur)); }

private:
    ImageSetNames names;
    char szImages[MAX_PATH];
    std::vector<std::shared_ptr<SetPictures>> numbered;
    std::vector<std::shared_ptr<FolderSetIndex>> indexes;

    std::string Folder(unsigned long cur) const { return std::string(szImages) + "\\" + names.Get(cur); }

    SetPictures* Numbered(unsigned long cur)
    {
        if (cur >= numbered.size() || !szImages[0])
            return nullptr;
        if (!numbered[cur]) {
            std::string folder = Folder(cur);
            numbered[cur] = folder.size() < cbPictBuffer ? NumberedListings::Get(folder)
                                                         : std::make_shared<SetPictures>(nullptr);
        }
        return numbered[cur].get();
    }
    // The index of a folder set that is there now; null while its folder is away.
    FolderSetIndex* Index(unsigned long cur)
    {
        if (cur >= indexes.size())
            return nullptr;
        if (!indexes[cur]) {
            const char* root = names.Get(cur);
            if (!FolderExists(root))
                return nullptr;
            indexes[cur] = FolderSetIndex::For(root);
            if (indexes[cur])
                indexes[cur]->Check(false); // a long-running process notices changes
        }
        return indexes[cur].get();
    }
};

// The order of one cycle: a permutation of its pictures made from its seed, the same in
// every process. The last one made is kept for the process.
class Shuffle {
public:
    static unsigned long Random(unsigned long& state)
    {
        // xorshift32: 32 bits from any non-zero state.
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    // The place the cycle of this seed and size shows first.
    static unsigned long FirstOf(unsigned long seed, unsigned long count)
    {
        return Random(seed) % count;
    }
    // A seed for a new cycle that does not open with last.
    static unsigned long NewSeed(unsigned long count, unsigned long last, unsigned long previous)
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        unsigned long seed = previous ^ now.LowPart ^ (GetTickCount() << 7) ^ (GetCurrentProcessId() << 16) ^
                             static_cast<unsigned long>(rand());
        for (int i = 0; i < 64; ++i) {
            Random(seed); // never zero: xorshift keeps a non-zero state non-zero
            if (!seed)
                seed = 0x9E3779B9u;
            if (count < 2 || FirstOf(seed, count) != last)
                break;
        }
        return seed;
    }
    // The place shown at step next of the cycle.
    static bool At(unsigned long seed, unsigned long count, unsigned long next, unsigned long& place)
    {
        static CritSec cs;
        static std::vector<unsigned long>* order = new std::vector<unsigned long>;
        static unsigned long orderSeed = 0, orderCount = 0;
        CritSecLock lock(cs);
        if (orderSeed != seed || orderCount != count || order->size() != count) {
            try {
                order->resize(count);
            } catch (const std::bad_alloc&) {
                order->clear();
                return false;
            }
            for (unsigned long i = 0; i < count; ++i)
                (*order)[i] = i;
            unsigned long state = seed;
            for (unsigned long i = 0; i + 1 < count; ++i)
                std::swap((*order)[i], (*order)[i + Random(state) % (count - i)]);
            orderSeed = seed;
            orderCount = count;
        }
        if (next >= count)
            return false;
        place = (*order)[next];
        return true;
    }
};

const char* ValueName(int forScreenSaver, const char* tail, char* buf)
{
    snprintf(buf, 32, "%s_%s", forScreenSaver ? "SS" : "WP", tail);
    return buf;
}

} // namespace

void SequencePosition::Read(RegKey& key, int forScreenSaver)
{
    char name[32];
    dwPic = key.GetDword(forScreenSaver ? Opts::pszSSLastPicInd : Opts::pszWPLastPicInd, 0);
    dwSet = key.GetDword(forScreenSaver ? Opts::pszSSLastSetInd : Opts::pszWPLastSetInd, 0);
    dwSeed = key.GetDword(ValueName(forScreenSaver, "ShuffleSeed", name), 0);
    dwNext = key.GetDword(ValueName(forScreenSaver, "ShuffleNext", name), 0);
    dwCount = key.GetDword(ValueName(forScreenSaver, "ShuffleCount", name), 0);
    dwLast = key.GetDword(ValueName(forScreenSaver, "ShuffleLast", name), ULONG_MAX);
}

void SequencePosition::Write(RegKey& key, int forScreenSaver, bool randomOrder) const
{
    char name[32];
    key.PutDword(forScreenSaver ? Opts::pszSSLastPicInd : Opts::pszWPLastPicInd, dwPic);
    key.PutDword(forScreenSaver ? Opts::pszSSLastSetInd : Opts::pszWPLastSetInd, dwSet);
    if (!randomOrder)
        return;
    key.PutDword(ValueName(forScreenSaver, "ShuffleSeed", name), dwSeed);
    key.PutDword(ValueName(forScreenSaver, "ShuffleNext", name), dwNext);
    key.PutDword(ValueName(forScreenSaver, "ShuffleCount", name), dwCount);
    key.PutDword(ValueName(forScreenSaver, "ShuffleLast", name), dwLast);
}

bool PictureSequence::Next(SequencePosition& pos, char* path, char* caption)
{
    path[0] = caption[0] = '\0';
    try {
        Sets sets(list);
        const unsigned long n = sets.GetCount();
        if (n == 0)
            return false;
        SequencePosition at = pos;
        bool found = false;
        if (bRandom) {
            // Every picture of the sets in use, set after set, has one place in the cycle.
            std::vector<unsigned long> counts(n);
            unsigned long total = 0;
            for (unsigned long s = 0; s < n; ++s)
                total += counts[s] = sets.Count(s);
            if (total == 0)
                return false;
            // At most the rest of this cycle and one whole new one.
            const unsigned long limit = (at.dwNext < at.dwCount ? at.dwCount - at.dwNext : 0) + total + 1;
            bool renewed = false;
            for (unsigned long tries = 0; !found && tries <= limit; ++tries) {
                if (!at.dwSeed || at.dwCount == 0 || at.dwNext >= at.dwCount) {
                    if (renewed)
                        break; // a whole new cycle without a picture
                    renewed = true;
                    at.dwSeed = Shuffle::NewSeed(total, at.dwLast, at.dwSeed);
                    at.dwCount = total;
                    at.dwNext = 0;
                }
                unsigned long place;
                if (!Shuffle::At(at.dwSeed, at.dwCount, at.dwNext++, place) || place >= total)
                    continue; // the sets hold fewer pictures than when the cycle began
                unsigned long s = 0, k = place;
                while (k >= counts[s])
                    k -= counts[s++];
                unsigned long pic = sets.SlotOf(s, k);
                if (sets.Try(s, pic, path) == tryFound) {
                    found = true;
                    at.dwPic = pic;
                    at.dwSet = s;
                    at.dwLast = place;
                }
            }
        } else {
            unsigned long pic = at.dwPic, cur = at.dwSet;
            if (cur >= n)
                pic = cur = 0;
            const unsigned long startSet = cur;
            unsigned long startPic = pic;
            bool backAtStart = false; // several sets: the cycle has come round to startSet
            int wraps = 0;
            while (!found) {
                ++pic;
                unsigned long slots = pic == ULONG_MAX ? 0 : sets.Slots(cur, pic);
                if (pic >= slots) {
                    pic = 0;
                    if (n == 1) {
                        // One set: the pictures after the one shown last, then from the
                        // first up to the one before the last slot; a set of one picture
                        // shows it again.
                        if (++wraps > 1 || slots == 0)
                            break;
                        startPic = slots > 1 ? slots - 1 : ULONG_MAX;
                    } else {
                        if (backAtStart)
                            break; // a full cycle without a picture
                        cur = (cur + 1) % n;
                        // Back in the start set, its pictures up to the one shown last get
                        // their turn: without them a set with no picture would stop the
                        // sequence there for good, since a failed call stores nothing.
                        backAtStart = cur == startSet;
                    }
                }
                if ((n == 1 && pic == startPic) || (backAtStart && pic > startPic))
                    break;
                TryResult result = sets.Try(cur, pic, path);
                if (result == tryFound) {
                    found = true;
                    at.dwPic = pic;
                    at.dwSet = cur;
                } else if (result == tryNoSet) {
                    if (n == 1)
                        break;
                    pic = ULONG_MAX - 1; // the next step leaves the missing set
                }
            }
        }
        if (!found) {
            path[0] = '\0';
            return false;
        }
        pos = at;
        if (sets.IsFolderSet(at.dwSet))
            FolderCaption(path, caption);
        else
            NumberedCaption(path, caption);
        return true;
    } catch (const std::exception&) {
        path[0] = caption[0] = '\0';
        return false;
    }
}
