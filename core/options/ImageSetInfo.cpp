#include "options/ImageSetInfo.h"
#include <windows.h>
#include "base/Module.h"
#include "base/Path.h"
#include "options/FolderSetIndex.h"
#include "options/ImageSetNames.h"
#include "options/SetPictures.h"

bool IsFolderSetName(const char* name)
{
    if (!name)
        return false;
    const bool letter = (name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z');
    if (letter && name[1] == ':' && name[2] == '\\')
        return true;
    return name[0] == '\\' && name[1] == '\\' && name[2] && name[2] != '\\';
}

long CountSetPictures(const char* item)
{
    if (!item || !*item)
        return -1;
    const char* name = ImageSetName(item);
    if (IsFolderSetName(name)) {
        if (!FolderExists(name))
            return -1;
        std::shared_ptr<FolderSetIndex> index = FolderSetIndex::For(name);
        bool complete = false;
        size_t count = index ? index->GetCount(&complete) : 0;
        return complete ? static_cast<long>(count) : -2;
    }
    char folder[MAX_PATH];
    DWORD n = GetModuleFileNameA(GetLibraryModule(), folder, sizeof folder);
    if (n == 0 || n >= sizeof folder)
        return -1;
    StripFileName(folder);
    MakePath(folder, folder, "Images");
    MakePath(folder, folder, name);
    if (!folder[0] || !FolderExists(folder))
        return -1;
    try {
        SetPictures set(folder);
        return set.GetCount();
    } catch (const std::bad_alloc&) {
        return -1;
    }
}
