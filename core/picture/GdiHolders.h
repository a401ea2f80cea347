// Owners of GDI objects, memory DCs, selections and local memory blocks: each frees
// its resource when it goes out of scope, on every path.
#pragma once
#include <windows.h>

// A GDI object (bitmap, brush) deleted with DeleteObject.
class GdiObject {
public:
    HGDIOBJ hObj;
    explicit GdiObject(HGDIOBJ h) : hObj(h) {}
    ~GdiObject() { if (hObj) DeleteObject(hObj); }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
};

// A memory device context compatible with another one, deleted with DeleteDC.
class MemoryDC {
public:
    HDC hDC;
    explicit MemoryDC(HDC compatibleWith) : hDC(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { if (hDC) DeleteDC(hDC); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
};

// An object selected into a DC; the previous object goes back when the scope ends or on
// Restore.
class DCSelection {
public:
    DCSelection(HDC hdc, HGDIOBJ obj) : hDC(hdc), hOld(hdc && obj ? SelectObject(hdc, obj) : nullptr) {}
    ~DCSelection() { Restore(); }
    DCSelection(const DCSelection&) = delete;
    DCSelection& operator=(const DCSelection&) = delete;
    // The object went in: the DC and the object were valid.
    bool IsReady() const { return hOld != nullptr; }
    void Restore()
    {
        if (hOld)
            SelectObject(hDC, hOld);
        hOld = nullptr;
    }

private:
    HDC hDC;
    HGDIOBJ hOld;
};

// A block from the local heap (LocalAlloc), freed with LocalFree unless released.
class LocalBlock {
public:
    void* p;
    explicit LocalBlock(void* block) : p(block) {}
    ~LocalBlock() { if (p) LocalFree(p); }
    LocalBlock(const LocalBlock&) = delete;
    LocalBlock& operator=(const LocalBlock&) = delete;
};
