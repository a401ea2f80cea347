#include "options/ImageSetInfo.h"
#include <cstring>
#include <new>
#include "base/Path.h"
#include "options/ImageSetNames.h"
#include "options/SetPictures.h"

bool IsFolderSetName(const char* name)
{
    if (!name)
        return false;
    bool drive = ((name[0] >= 'A' && name[0] <= 'Z') || (name[0] >= 'a' && name[0] <= 'z')) &&
                 name[1] == ':' && name[2] == '\\';
    return drive || (name[0] == '\\' && name[1] == '\\' && name[2] && name[2] != '\\');
}

long CountSetPictures(const char* item)
{
    if (!item || !*item)
        return -1;
    const char* name = ImageSetName(item);
    if (IsFolderSetName(name))
        return FolderExists(name) ? -2 : -1;
    char folder[MAX_PATH];
    GetHomeDir(folder);
    MakePath(folder, folder, "Images");
    // A name that does not fit would leave the path at "Images" itself.
    if (strlen(folder) + 1 + strlen(name) >= sizeof folder)
        return -1;
    MakePath(folder, folder, name);
    try {
        SetPictures pictures(folder);
        if (!pictures.IsFolder())
            return -1;
        long count = 0;
        for (unsigned long pic = 0; pic < SetPictures::kNumbers; pic++)
            if (pictures.Find(pic))
                count++;
        return count;
    } catch (const std::bad_alloc&) {
        return -2;
    }
}
