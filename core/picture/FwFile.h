// FwFile: owns one file handle (and, when asked, a read-only or read-write mapping of the
// file) and offers binary reads and writes with exact-count checks.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API FwFile {
public:
    HANDLE hFile;    // INVALID_HANDLE_VALUE while closed
    HANDLE hMap;     // null unless a mapping is open
    void* pView;     // null unless a view is mapped
    int bWritable;   // opened with GENERIC_WRITE

    FwFile();
    FwFile(const char* pszPath, int bWrite);
    FwFile(const char* pszPath, DWORD access, DWORD share, DWORD disposition, DWORD flags);
    ~FwFile();
    FwFile(const FwFile&) = delete;
    FwFile& operator=(const FwFile&) = delete;

    operator HANDLE() const { return hFile; }

    // bWrite 0: shared read of an existing file; otherwise exclusive read-write, created
    // when missing.
    int Open(const char* pszPath, int bWrite);
    int Open(const char* pszPath, DWORD access, DWORD share, DWORD disposition, DWORD flags);
    void Close();
    // Writes the system's buffers of the file to disk, then closes it: 1 only when both
    // succeed, so a caller never takes a file for written that is not.
    int FlushAndClose();
    int IsReady() const { return hFile != INVALID_HANDLE_VALUE; }

    // File pointer moves with a 32-bit distance; each returns the new position
    // (INVALID_SET_FILE_POINTER on failure).
    DWORD MoveTo(LONG offset, DWORD origin = FILE_BEGIN);
    DWORD MoveToEnd();
    DWORD Skip(int bytes);
    int SetEndOfFile();
    DWORD GetSize();

    static int GetInfo(const char* pszPath, WIN32_FIND_DATAA* pData);
    static DWORD GetSize(const char* pszPath);
    static int GetTime(const char* pszPath, FILETIME* pCreated, FILETIME* pAccessed, FILETIME* pWritten);
    int SetTime(const FILETIME* pCreated, const FILETIME* pAccessed, const FILETIME* pWritten);
    static int SetTime(const char* pszPath, const FILETIME* pCreated, const FILETIME* pAccessed,
                       const FILETIME* pWritten);
    static int Delete(const char* pszPath);

    // 1 only when exactly count bytes moved; pDone receives the count moved, on failure too.
    int ReadBin(void* pBuffer, DWORD count, DWORD* pDone = nullptr);
    int WriteBin(const void* pBuffer, DWORD count, DWORD* pDone = nullptr);
    int Read(BYTE& value) { return ReadBin(&value, sizeof(value)); }
    int Read(WORD& value) { return ReadBin(&value, sizeof(value)); }
    int Read(int& value) { return ReadBin(&value, sizeof(value)); }
    int Write(BYTE value) { return WriteBin(&value, sizeof(value)); }
    int Write(WORD value) { return WriteBin(&value, sizeof(value)); }
    int Write(int value) { return WriteBin(&value, sizeof(value)); }
    // Moves count bytes from source's current position to this file through pBuffer.
    int CopyBinFrom(FwFile& source, void* pBuffer, DWORD count);

    // Maps the whole file (read-write when opened writable); pView points at its bytes.
    int OpenMap();
    void CloseMap();
};
