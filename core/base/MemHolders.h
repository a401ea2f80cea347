// Owners of memory blocks: a block of the local heap (LocalAlloc, and the buffers the
// system allocates that way) and a byte buffer on the C++ heap. Each frees its block when
// it goes out of scope; a failed allocation leaves a null block, never an exception.
// Header only, not exported.
#pragma once
#include <windows.h>
#include <new>

// A block from the local heap, freed with LocalFree unless detached.
class LocalBlock {
public:
    void* p;
    explicit LocalBlock(void* block = nullptr) : p(block) {}
    ~LocalBlock() { if (p) LocalFree(p); }
    LocalBlock(const LocalBlock&) = delete;
    LocalBlock& operator=(const LocalBlock&) = delete;
    // Where an API such as FormatMessage writes the block it allocates.
    template <class T> T** Receive()
    {
        Free();
        return reinterpret_cast<T**>(&p);
    }
    void Free()
    {
        if (p)
            LocalFree(p);
        p = nullptr;
    }
};

// size bytes from the heap (null when memory is short), freed when the holder ends.
class HeapBuffer {
public:
    explicit HeapBuffer(unsigned long size) : p(new (std::nothrow) char[size ? size : 1]) {}
    ~HeapBuffer() { delete[] p; }
    HeapBuffer(const HeapBuffer&) = delete;
    HeapBuffer& operator=(const HeapBuffer&) = delete;
    char* Get() const { return p; }
    BYTE* Bytes() const { return reinterpret_cast<BYTE*>(p); }
    // Gives the block to the caller, who frees it with delete[].
    char* Detach()
    {
        char* block = p;
        p = nullptr;
        return block;
    }

private:
    char* p;
};
