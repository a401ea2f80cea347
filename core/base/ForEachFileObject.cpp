#include "base/ForEachFileObject.h"
#include "base/FwFindFile.h"
#include "base/Path.h"

void ForEachFileObject(unsigned long flags, const char* folder, const char* mask,
                       FileObjectCallback callback, void* user)
{
    if (!folder)
        return;
    char pattern[MAX_PATH];
    MakePath(pattern, folder, mask ? mask : "*.*", nullptr);
    FwFindFile find;
    if (!pattern[0] || !find.First(pattern))
        return;
    int result = 1;
    do {
        const WIN32_FIND_DATAA& fd = find.data;
        bool dots = find.IsDots();
        if (dots && !(flags & FFO_DOTS))
            continue;
        bool dir = find.IsDir();
        if ((flags & FFO_CALLBEFORE) && callback && (!dir || !(flags & FFO_FILESONLY)))
            result = callback(folder, &fd, user);
        // "." and ".." would walk the same folder again, or up the tree, without end.
        if ((flags & FFO_RECURSE) && dir && !dots) {
            char sub[MAX_PATH];
            MakePath(sub, folder, fd.cFileName, nullptr);
            if (sub[0]) // a path too long for the buffer is not walked
                ForEachFileObject(flags, sub, mask, callback, user);
        }
        if (dir && (flags & FFO_FILESONLY))
            continue;
        if ((flags & FFO_CALLAFTER) && callback)
            result = callback(folder, &fd, user);
        if (flags & FFO_DELETE) {
            char path[MAX_PATH];
            MakePath(path, folder, fd.cFileName, nullptr);
            if (path[0])
                DeleteFileA(path);
        }
    } while (result && find.Next());
}
