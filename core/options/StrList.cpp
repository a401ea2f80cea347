#include "options/StrList.h"
#include <cstring>
#include <new>
#include "base/AppInfo.h"
#include "base/Mbcs.h"
#include "base/MemHolders.h"
#include "base/RegKey.h"
#include "base/TextUtil.h"

namespace {

} // namespace

StrList::StrList(const char* name) : pszValue(name)
{
    SetCallback(0, FwListCallBack);
}

// The FwList destructor removes the items; the callback frees their strings.
StrList::~StrList() {}

int StrList::FwListCallBack(unsigned long, unsigned int code, void* item)
{
    if (code == 1)
        delete[] static_cast<char*>(item);
    return 1;
}

POS__* StrList::AddHead(const char* s)
{
    char* copy = CopyToHeap(s);
    if (!copy)
        return nullptr;
    POS__* pos = FwList::AddHead(copy);
    if (!pos)
        delete[] copy;
    return pos;
}

POS__* StrList::AddTail(const char* s)
{
    char* copy = CopyToHeap(s);
    if (!copy)
        return nullptr;
    POS__* pos = FwList::AddTail(copy);
    if (!pos)
        delete[] copy;
    return pos;
}

void StrList::Load()
{
    RemoveAll();
    RegKey key(AppInfo::Data().pszRootKey, 0);
    if (!key.IsReady() || key.GetValueType(pszValue) != REG_BINARY)
        return;
    unsigned long size = key.GetBinSize(pszValue);
    if (size <= 1)
        return;
    // One zero byte more than stored, so that data without a final zero still ends.
    HeapBuffer buffer(size + 1);
    char* data = buffer.Get();
    if (!data || !key.GetBin(pszValue, reinterpret_cast<unsigned char*>(data), size))
        return;
    data[size] = '\0';
    const char* end = data + size;
    const char* p = data;
    while (p < end && *p) {
        if (!AddTail(p))
            break;
        while (p < end && *p)
            p += SizeOf(p);
        p++; // the item's zero
    }
}

void StrList::Store()
{
    unsigned long total = 1;
    for (POS__* pos = GetHeadPosition(); pos;)
        total += _tcssize(static_cast<const char*>(GetNext(pos))) + 1;
    RegKey key(AppInfo::Data().pszRootKey, 1);
    if (!key.IsReady())
        return;
    HeapBuffer buffer(total);
    char* data = buffer.Get();
    if (!data)
        return;
    char* out = data;
    for (POS__* pos = GetHeadPosition(); pos;) {
        const char* item = static_cast<const char*>(GetNext(pos));
        unsigned n = _tcssize(item);
        memcpy(out, item, n);
        out += n;
        *out++ = '\0';
    }
    *out = '\0';
    key.PutBin(pszValue, reinterpret_cast<const unsigned char*>(data), total);
}
