#include "wallpaper/ReplacingFile.h"
#include <string.h>
#include "base/Mbcs.h"
#include "base/SysInfo.h"
#include "base/Path.h"
#include "base/MemHolders.h"

static const char kTempSuffix[] = ".tmp";
// How long a target held open by another program is waited for before it is overwritten
// in place.
static const int kMoveTries = 10;
static const DWORD kMoveRetryMs = 100;
static const DWORD kCopyChunk = 64 * 1024;

ReplacingFile::ReplacingFile(const char* target) : bMoveFileEx(WinNT() != 0)
{
    StrCopyN(szTarget, target ? target : "", sizeof(szTarget));
    szTemp[0] = '\0';
    if (!szTarget[0])
        return;
    if (TempNameOf(szTarget, szTemp)) {
        DeleteFileA(szTemp);
        if (file.Open(szTemp, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL))
            return;
        szTemp[0] = '\0'; // another writer holds it: write the target directly
    }
    file.Open(szTarget, GENERIC_READ | GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
}

int ReplacingFile::TempNameOf(const char* target, char* temp)
{
    size_t len = strlen(target);
    temp[0] = '\0';
    if (len + sizeof(kTempSuffix) > MAX_PATH)
        return 0;
    memcpy(temp, target, len);
    memcpy(temp + len, kTempSuffix, sizeof(kTempSuffix));
    return 1;
}

void ReplacingFile::Remove(const char* target)
{
    if (FileExists(target))
        DeleteFileA(target);
    char temp[MAX_PATH];
    if (TempNameOf(target, temp) && FileExists(temp))
        DeleteFileA(temp);
}

ReplacingFile::~ReplacingFile()
{
    file.Close();
    if (szTemp[0])
        DeleteFileA(szTemp);
}

int ReplacingFile::Commit()
{
    if (!file.IsReady())
        return 0;
    if (!file.FlushAndClose())
        return 0;
    if (!szTemp[0])
        return 1;
    for (int i = 0; i < kMoveTries; i++) {
        if (i)
            Sleep(kMoveRetryMs);
        if (MoveOverTarget()) {
            szTemp[0] = '\0';
            return 1;
        }
    }
    return CopyIntoTarget();
}

int ReplacingFile::MoveOverTarget()
{
    if (bMoveFileEx) {
        if (MoveFileExA(szTemp, szTarget, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 1;
        if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
            return 0;
        bMoveFileEx = 0;
    }
    // Without MoveFileEx a move does not replace: the target goes first.
    if (!DeleteFileA(szTarget) && GetLastError() != ERROR_FILE_NOT_FOUND)
        return 0;
    return MoveFileA(szTemp, szTarget) ? 1 : 0;
}

// The target cannot be replaced while it is open; a program that shares it for writing
// still lets it be overwritten.
int ReplacingFile::CopyIntoTarget()
{
    FwFile source(szTemp, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
    FwFile target(szTarget, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_ALWAYS,
                  FILE_ATTRIBUTE_NORMAL);
    LocalBlock buffer(LocalAlloc(LMEM_FIXED, kCopyChunk));
    if (!source.IsReady() || !target.IsReady() || !buffer.p)
        return 0;
    DWORD left = source.GetSize();
    int ok = left > 0; // 0 is also a failed query; a file of ours is never empty
    while (ok && left) {
        DWORD n = left < kCopyChunk ? left : kCopyChunk;
        ok = target.CopyBinFrom(source, buffer.p, n);
        left -= n;
    }
    ok = ok && target.SetEndOfFile();
    return target.FlushAndClose() && ok ? 1 : 0;
}
