#include "picture/FwFile.h"
#include "base/FwFindFile.h"

FwFile::FwFile() : hFile(INVALID_HANDLE_VALUE), hMap(nullptr), pView(nullptr), bWritable(0) {}

FwFile::FwFile(const char* pszPath, int bWrite) : FwFile()
{
    Open(pszPath, bWrite);
}

FwFile::FwFile(const char* pszPath, DWORD access, DWORD share, DWORD disposition, DWORD flags)
    : FwFile()
{
    Open(pszPath, access, share, disposition, flags);
}

FwFile::~FwFile()
{
    Close();
}

int FwFile::Open(const char* pszPath, int bWrite)
{
    if (bWrite)
        return Open(pszPath, GENERIC_READ | GENERIC_WRITE, 0, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL);
    return Open(pszPath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL);
}

int FwFile::Open(const char* pszPath, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    Close(); // a second Open must not leak the first handle
    bWritable = (access & GENERIC_WRITE) ? 1 : 0;
    if (!pszPath)
        return 0;
    hFile = CreateFileA(pszPath, access, share, nullptr, disposition, flags, nullptr);
    return IsReady();
}

void FwFile::Close()
{
    CloseMap();
    if (IsReady()) {
        CloseHandle(hFile);
        hFile = INVALID_HANDLE_VALUE;
    }
}

DWORD FwFile::MoveTo(LONG offset, DWORD origin)
{
    return SetFilePointer(hFile, offset, nullptr, origin);
}

DWORD FwFile::MoveToEnd()
{
    return MoveTo(0, FILE_END);
}

DWORD FwFile::Skip(int bytes)
{
    return MoveTo(bytes, FILE_CURRENT);
}

int FwFile::SetEndOfFile()
{
    return ::SetEndOfFile(hFile) ? 1 : 0;
}

DWORD FwFile::GetSize()
{
    DWORD size = GetFileSize(hFile, nullptr);
    return size == INVALID_FILE_SIZE ? 0 : size;
}

int FwFile::GetInfo(const char* pszPath, WIN32_FIND_DATAA* pData)
{
    FwFindFile find;
    if (!find.First(pszPath))
        return 0;
    if (pData)
        *pData = find.data;
    return 1;
}

DWORD FwFile::GetSize(const char* pszPath)
{
    WIN32_FIND_DATAA data;
    return GetInfo(pszPath, &data) ? data.nFileSizeLow : 0;
}

int FwFile::GetTime(const char* pszPath, FILETIME* pCreated, FILETIME* pAccessed, FILETIME* pWritten)
{
    WIN32_FIND_DATAA data;
    if (!GetInfo(pszPath, &data))
        return 0;
    if (pCreated)
        *pCreated = data.ftCreationTime;
    if (pAccessed)
        *pAccessed = data.ftLastAccessTime;
    if (pWritten)
        *pWritten = data.ftLastWriteTime;
    return 1;
}

int FwFile::SetTime(const FILETIME* pCreated, const FILETIME* pAccessed, const FILETIME* pWritten)
{
    return SetFileTime(hFile, pCreated, pAccessed, pWritten) ? 1 : 0;
}

int FwFile::SetTime(const char* pszPath, const FILETIME* pCreated, const FILETIME* pAccessed,
                    const FILETIME* pWritten)
{
    // Only an existing file, opened for its attributes: a missing one must not be created
    // (an empty file reported as a success), and readers may keep it open meanwhile.
    FwFile file(pszPath, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING,
                FILE_ATTRIBUTE_NORMAL);
    return file.IsReady() && file.SetTime(pCreated, pAccessed, pWritten);
}

int FwFile::Delete(const char* pszPath)
{
    return DeleteFileA(pszPath) ? 1 : 0;
}

int FwFile::ReadBin(void* pBuffer, DWORD count, DWORD* pDone)
{
    DWORD done = 0;
    int ok = count == 0 || (ReadFile(hFile, pBuffer, count, &done, nullptr) && done == count);
    if (pDone)
        *pDone = done;
    return ok;
}

int FwFile::WriteBin(const void* pBuffer, DWORD count, DWORD* pDone)
{
    DWORD done = 0;
    int ok = count == 0 || (WriteFile(hFile, pBuffer, count, &done, nullptr) && done == count);
    if (pDone)
        *pDone = done;
    return ok;
}

int FwFile::CopyBinFrom(FwFile& source, void* pBuffer, DWORD count)
{
    return count == 0 || (source.ReadBin(pBuffer, count) && WriteBin(pBuffer, count));
}

int FwFile::OpenMap()
{
    CloseMap();
    if (!IsReady())
        return 0;
    hMap = CreateFileMappingA(hFile, nullptr, bWritable ? PAGE_READWRITE : PAGE_READONLY, 0, 0, nullptr);
    if (hMap)
        pView = MapViewOfFile(hMap, bWritable ? FILE_MAP_WRITE : FILE_MAP_READ, 0, 0, 0);
    if (!pView)
        CloseMap();
    return pView != nullptr;
}

int FwFile::FlushAndClose()
{
    if (!IsReady())
        return 0;
    CloseMap();
    int ok = !bWritable || FlushFileBuffers(hFile);
    ok = CloseHandle(hFile) && ok;
    hFile = INVALID_HANDLE_VALUE;
    return ok ? 1 : 0;
}

void FwFile::CloseMap()
{
    if (pView) {
        UnmapViewOfFile(pView);
        pView = nullptr;
    }
    if (hMap) {
        CloseHandle(hMap);
        hMap = nullptr;
    }
}
