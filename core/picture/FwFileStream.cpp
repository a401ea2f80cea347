#include "picture/FwFileStream.h"
#include "base/FaultGuard.h"

HRESULT FwFileStream::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IStream)) {
        *ppv = static_cast<IStream*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

ULONG FwFileStream::AddRef()
{
    return 1;
}

ULONG FwFileStream::Release()
{
    return 0;
}

// A short read at the end of the file is not an error: the loader judges the data.
HRESULT FwFileStream::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (!RunGuarded([&] { pFile->ReadBin(pv, cb, pcbRead); }))
        return E_UNEXPECTED;
    return S_OK;
}

// A write that moves fewer bytes than asked (a file opened for reading, a full disk) is
// a failure, not a success with a short count.
HRESULT FwFileStream::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    int ok = 0;
    if (!RunGuarded([&] { ok = pFile->WriteBin(pv, cb, pcbWritten); }))
        return E_UNEXPECTED;
    return ok ? S_OK : STG_E_WRITEFAULT;
}

// Moves are 32-bit: from -2^31 up to 2^32 - 1, the low 32 bits taken as a signed distance.
HRESULT FwFileStream::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* pNewPos)
{
    if (move.QuadPart < -0x80000000LL || move.QuadPart > 0xFFFFFFFFLL)
        return E_NOTIMPL;
    DWORD pos = INVALID_SET_FILE_POINTER;
    DWORD error = NO_ERROR;
    if (!RunGuarded([&] {
            SetLastError(NO_ERROR);
            pos = pFile->MoveTo(static_cast<LONG>(move.LowPart), origin);
            error = GetLastError();
        })) {
        if (pNewPos)
            pNewPos->QuadPart = 0;
        return E_UNEXPECTED;
    }
    // A refused move (before the start, a bad origin) is reported, not passed off as a
    // position of 0xFFFFFFFF.
    if (pos == INVALID_SET_FILE_POINTER && error != NO_ERROR)
        return STG_E_INVALIDFUNCTION;
    if (pNewPos)
        pNewPos->QuadPart = pos;
    return S_OK;
}

HRESULT FwFileStream::SetSize(ULARGE_INTEGER)
{
    return E_NOTIMPL;
}

HRESULT FwFileStream::CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*)
{
    return E_NOTIMPL;
}

HRESULT FwFileStream::Commit(DWORD)
{
    return E_NOTIMPL;
}

HRESULT FwFileStream::Revert()
{
    return E_NOTIMPL;
}

HRESULT FwFileStream::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

HRESULT FwFileStream::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD)
{
    return E_NOTIMPL;
}

HRESULT FwFileStream::Stat(STATSTG*, DWORD)
{
    return E_NOTIMPL;
}

HRESULT FwFileStream::Clone(IStream**)
{
    return E_NOTIMPL;
}
