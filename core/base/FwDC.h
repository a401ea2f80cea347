// FwDC: holder of a device context, restoring its saved state or deleting it when done.
// ClientDC: the client-area DC of a window, released when done.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API FwDC {
public:
    HDC hDC;
    int bRestore; // RestoreDC(-1) on destruction
    int bDelete;  // DeleteDC on destruction

    // With a DC: holds it and, when save is non-zero, saves its state. Without one: a new
    // DC for the display, deleted on destruction.
    explicit FwDC(HDC hdc = nullptr, int save = 0);
    virtual ~FwDC();
    FwDC(const FwDC&) = delete;
    FwDC& operator=(const FwDC&) = delete;

    operator HDC() const { return hDC; }

protected:
    struct Adopt {};
    // Holds hdc (which may be null) as it is, creating nothing.
    FwDC(Adopt, HDC hdc, int save);
    void RestoreState();
};

class VNT_API ClientDC : public FwDC {
public:
    HWND hWnd;

    explicit ClientDC(HWND hWnd, int save = 0);
    ~ClientDC() override;
};
