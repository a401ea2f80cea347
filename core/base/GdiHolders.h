// Owners of GDI objects, memory DCs and selections: each frees its resource when it goes
// out of scope, on every path. Window and display DCs are held by FwDC and ClientDC
// (base/FwDC.h), memory blocks by base/MemHolders.h, kernel handles by FwHandle.
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
