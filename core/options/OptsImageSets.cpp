// Keeping the image-set lists in step with the folders of "Images" beside the library; the
// user's own folder sets stay as they are.
#include "options/Opts.h"
#include "base/ForEachFileObject.h"
#include "base/Mbcs.h"
#include "base/Module.h"
#include "base/Path.h"
#include "options/FolderSetIndex.h"
#include "options/ImageSetInfo.h"
#include "options/ImageSetNames.h"

namespace {

// A name that can be an entry of the images folder: not empty, not "." or "..", and
// without a separator, so that no item leads the picture search out of "Images".
bool IsEntryName(const char* name)
{
    if (!*name || (name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2]))))
        return false;
    for (const char* p = name; *p; IncPsz(p))
        if (*p == '\\' || *p == '/' || *p == ':')
            return false;
    return true;
}

} // namespace

void Opts::UpdateImageLists()
{
    UpdateImageList(listSS);
    UpdateImageList(listWP);
}

void Opts::UpdateImageList(StrList& list)
{
    char images[MAX_PATH];
    DWORD n = GetModuleFileNameA(GetLibraryModule(), images, sizeof images);
    if (n == 0 || n >= sizeof images)
        return;
    StripFileName(images);
    MakePath(images, images, "Images");
    if (!images[0])
        return;
    // Sets whose folder is gone leave the list. A folder set stays while its folder is
    // away (an unplugged drive, a share offline): the user added it, and it comes back.
    for (POS__* pos = list.GetHeadPosition(); pos;) {
        const char* item = static_cast<const char*>(list.GetAt(pos));
        const char* name = ImageSetName(item);
        if (IsFolderSetName(name)) {
            // Its index notices what changed while the process was not running.
            if (IsImageSetInUse(item) && FolderExists(name))
                if (std::shared_ptr<FolderSetIndex> index = FolderSetIndex::For(name))
                    index->Check(true);
            list.GetNext(pos);
            continue;
        }
        char folder[MAX_PATH];
        MakePath(folder, images, name);
        if (!IsEntryName(name) || !FolderExists(folder))
            list.RemoveAt(pos);
        else
            list.GetNext(pos);
    }
    // New entries join at the head, in use.
    pCurList = &list;
    ForEachFileObject(FFO_CALLBEFORE, images, "*.*", PopulateStrList, this);
    pCurList = nullptr;
}

int Opts::PopulateStrList(const char* dir, const WIN32_FIND_DATAA* found, void* ctx)
{
    return static_cast<Opts*>(ctx)->OnPopulateStrList(dir, found);
}

int Opts::OnPopulateStrList(const char*, const WIN32_FIND_DATAA* found)
{
    if (!found || !pCurList)
        return 1;
    const char* name = found->cFileName;
    if (!IsEntryName(name))
        return 1;
    for (POS__* pos = pCurList->GetHeadPosition(); pos;)
        if (StrCompare(ImageSetName(static_cast<const char*>(pCurList->GetNext(pos))), name, 1) == 0)
            return 1;
    char item[MAX_PATH + 1];
    item[0] = '1';
    StrCopyN(item + 1, name, MAX_PATH);
    pCurList->AddHead(item);
    return 1;
}
