// FolderWalk: the JPEG files of a folder tree in the order a folder set shows them: the
// folder's own pictures first, then each subfolder depth first, names in natural order.
// Hidden and system folders and thumbnail caches are passed over; a folder reached twice
// (a junction or link back into the tree) is walked once; a name the code page cannot
// spell or a path too long for the ANSI calls is taken by its short name or passed over.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API FolderWalk {
public:
    class Sink {
    public:
        // A folder about to be walked ("" for the root) and its last-write time; false stops.
        virtual bool OnFolder(const char* rel, const FILETIME& written) = 0;
        // A picture, as a path below the root; false stops the walk.
        virtual bool OnPicture(const char* rel) = 0;
    };

    // cancel, when given, stops the walk as soon as it becomes non-zero.
    explicit FolderWalk(Sink& sink, const volatile LONG* cancel = nullptr) : sink(sink), pCancel(cancel) {}
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    // False when the root is no folder or the walk was stopped.
    bool Walk(const char* root);

    // ".jpg", ".jpeg" or ".jpe" in any letter case.
    static bool IsJpegName(const char* name);
    // A folder a walk passes over: hidden, system, or a thumbnail cache or recycle bin by name.
    static bool IsSkippedFolder(const WIN32_FIND_DATAA& found);

private:
    Sink& sink;
    const volatile LONG* pCancel;
    class Walker;
};
