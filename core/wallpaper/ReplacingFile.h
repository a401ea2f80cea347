// ReplacingFile: a file written under a fixed temporary name beside its target and then
// put in the target's place, so that a reader (the desktop loading its wallpaper) never
// meets a half-written file, and a writer killed on the way leaves one stray file at most.
#pragma once
#include <windows.h>
#include "VntApi.h"
#include "picture/FwFile.h"

class VNT_API ReplacingFile {
public:
    FwFile file;      // the file being written
    int bMoveFileEx;  // the system replaces a file by moving another over it (not 95, 98, Me)

    // Removes a temporary file left by an earlier writer and creates it anew; when that
    // cannot be done, the target itself is written.
    explicit ReplacingFile(const char* target);
    // A temporary file that did not take the target's place is removed.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Deletes the target file (not a folder) and a temporary file left beside it.
    static void Remove(const char* target);

    int IsReady() const { return file.IsReady(); }
    // Flushes and closes the file and puts it in the target's place. A target held open
    // by another program is retried for a moment and then overwritten in place. 1 on
    // success; 0 leaves the target as it was, unless the write in place itself failed.
    int Commit();

private:
    char szTarget[MAX_PATH];
    char szTemp[MAX_PATH]; // empty when the target is written directly

    // The temporary name beside target (MAX_PATH buffer); 0 when it does not fit.
    static int TempNameOf(const char* target, char* temp);
    int MoveOverTarget();
    int CopyIntoTarget();
};
