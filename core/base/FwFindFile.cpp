#include "base/FwFindFile.h"

bool FwFindFile::First(const char* pattern)
{
    Close();
    if (!pattern || !*pattern)
        return false;
    hFind = FindFirstFileA(pattern, &data);
    return hFind != INVALID_HANDLE_VALUE;
}

bool FwFindFile::Next()
{
    return hFind != INVALID_HANDLE_VALUE && FindNextFileA(hFind, &data);
}

void FwFindFile::Close()
{
    if (hFind != INVALID_HANDLE_VALUE) {
        FindClose(hFind);
        hFind = INVALID_HANDLE_VALUE;
    }
}

bool FwFindFile::IsDots() const
{
    const char* n = data.cFileName;
    return n[0] == '.' && (n[1] == '\0' || (n[1] == '.' && n[2] == '\0'));
}
