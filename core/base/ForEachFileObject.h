// ForEachFileObject: calls a function for the entries of a folder that match a pattern,
// in the order the file system reports them, optionally descending into subfolders and
// deleting files.
#pragma once
#include <windows.h>
#include "VntApi.h"

// folder: the folder being walked (not the entry's path); result 0 ends the walk of that
// folder after this entry.
typedef int (*FileObjectCallback)(const char* folder, const WIN32_FIND_DATAA* found, void* user);

enum {
    FFO_DELETE = 0x001,      // delete each entry as a file, after its callbacks
    FFO_CALLBEFORE = 0x002,  // call before descending
    FFO_CALLAFTER = 0x004,   // call after descending
    FFO_FILESONLY = 0x100,   // folders get no callback and are not deleted (still descended)
    FFO_RECURSE = 0x200,     // descend into subfolders that match the pattern
    FFO_DOTS = 0x400,        // include "." and ".." (never descended into)
};

// The pattern defaults to "*.*"; a folder that cannot be searched is silently skipped.
VNT_API void ForEachFileObject(unsigned long flags, const char* folder, const char* mask,
                               FileObjectCallback callback, void* user);
