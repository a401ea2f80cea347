// FwFileStream: the smallest IStream over an open FwFile that the picture loader needs.
// It does not own the file and keeps no reference count: it lives in the scope of whoever
// built it, and AddRef/Release only answer 1 and 0.
#pragma once
#include <windows.h>
#include <objidl.h>
#include "VntApi.h"
#include "picture/FwFile.h"

class VNT_API FwFileStream : public IStream {
public:
    FwFile* pFile;

    // Copies share the file, which none of them owns.
    explicit FwFileStream(FwFile* pFile) : pFile(pFile) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    // ISequentialStream
    HRESULT STDMETHODCALLTYPE Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    HRESULT STDMETHODCALLTYPE Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    // IStream
    HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* pNewPos) override;
    HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override;
    HRESULT STDMETHODCALLTYPE CopyTo(IStream* pStm, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                     ULARGE_INTEGER* pcbWritten) override;
    HRESULT STDMETHODCALLTYPE Commit(DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Revert() override;
    HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override;
    HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD type) override;
    HRESULT STDMETHODCALLTYPE Stat(STATSTG* pStat, DWORD flags) override;
    HRESULT STDMETHODCALLTYPE Clone(IStream** ppStm) override;
};
