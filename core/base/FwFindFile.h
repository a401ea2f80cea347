// FwFindFile: one directory search (a find handle) owned for the object's lifetime.
#pragma once
#include <windows.h>

class FwFindFile {
public:
    WIN32_FIND_DATAA data; // the entry found last

    FwFindFile() : data(), hFind(INVALID_HANDLE_VALUE) {}
    ~FwFindFile() { Close(); }
    FwFindFile(const FwFindFile&) = delete;
    FwFindFile& operator=(const FwFindFile&) = delete;

    // Starts a search for the pattern; false when nothing matches or the folder cannot be
    // searched.
    bool First(const char* pattern);
    // The next match of the search; false at the end.
    bool Next();
    void Close();
    bool IsDir() const { return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // "." or "..".
    bool IsDots() const;

private:
    HANDLE hFind;
};
