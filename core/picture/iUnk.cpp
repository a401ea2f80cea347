#include "picture/iUnk.h"

iUnk::iUnk(iUnk& source, const GUID& iid) : pUnk(nullptr)
{
    source.QueryInterface(iid, *this);
}

iUnk::iUnk(const GUID& clsid, const GUID& iid, IUnknown* pOuter, DWORD context) : pUnk(nullptr)
{
    void* p = nullptr;
    if (SUCCEEDED(CoCreateInstance(clsid, pOuter, context, iid, &p)))
        pUnk = static_cast<IUnknown*>(p);
}

iUnk::~iUnk()
{
    Detach();
}

void iUnk::Attach(IUnknown* p)
{
    if (p)
        p->AddRef(); // first, so that attaching the held pointer again keeps it alive
    Detach();
    pUnk = p;
}

int iUnk::QueryInterface(const GUID& iid, iUnk& target)
{
    if (!pUnk)
        return 0;
    void* p = nullptr;
    HRESULT hr = pUnk->QueryInterface(iid, &p);
    if (FAILED(hr))
        p = nullptr;
    // Through a local first: target may be this holder.
    target.Detach();
    target.pUnk = static_cast<IUnknown*>(p);
    return SUCCEEDED(hr) ? 1 : 0;
}

ULONG iUnk::AddRef()
{
    return pUnk ? pUnk->AddRef() : 0;
}

ULONG iUnk::Release()
{
    return pUnk ? pUnk->Release() : 0;
}

void iUnk::Detach()
{
    if (pUnk) {
        IUnknown* p = pUnk;
        pUnk = nullptr;
        p->Release();
    }
}
