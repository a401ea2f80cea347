// iUnk: holder of one COM interface pointer. A held pointer carries one reference, owned by
// the holder and released by its destructor.
#pragma once
#include <windows.h>
#include <unknwn.h>
#include "VntApi.h"

class VNT_API iUnk {
public:
    IUnknown* pUnk;

    iUnk() : pUnk(nullptr) {}
    // Holds source's interface iid (empty when source is empty or lacks it).
    iUnk(iUnk& source, const GUID& iid);
    // Holds a new object of class clsid, asked for iid.
    iUnk(const GUID& clsid, const GUID& iid, IUnknown* pOuter, DWORD context);
    ~iUnk();
    iUnk(const iUnk&) = delete;
    iUnk& operator=(const iUnk&) = delete;

    // Holds p with a reference of its own, releasing what was held before.
    void Attach(IUnknown* p);
    // Asks for iid into target, which releases what it held before; 1 on success.
    int QueryInterface(const GUID& iid, iUnk& target);
    ULONG AddRef();
    ULONG Release();
    // Releases the held pointer and empties the holder.
    void Detach();
    operator IUnknown*() const { return pUnk; }
};
