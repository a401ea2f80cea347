// iMalloc: holder of the shell's task allocator.
#pragma once
#include "picture/iUnk.h"

class VNT_API iMalloc : public iUnk {
public:
    iMalloc();
    void* Alloc(SIZE_T size);
    void* Realloc(void* p, SIZE_T size);
    void Free(void* p);
    void HeapMinimize();

private:
    IMalloc* Get() const { return static_cast<IMalloc*>(pUnk); }
};
