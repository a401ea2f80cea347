#include "base/FwDC.h"

FwDC::FwDC(HDC hdc, int save) : hDC(hdc), bRestore(0), bDelete(0)
{
    if (!hDC) {
        hDC = CreateDCA("DISPLAY", nullptr, nullptr, nullptr);
        bDelete = hDC != nullptr;
    } else if (save) {
        bRestore = SaveDC(hDC) != 0;
    }
}

FwDC::FwDC(Adopt, HDC hdc, int save) : hDC(hdc), bRestore(0), bDelete(0)
{
    if (hDC && save)
        bRestore = SaveDC(hDC) != 0;
}

FwDC::~FwDC()
{
    RestoreState();
    if (bDelete && hDC)
        DeleteDC(hDC);
}

void FwDC::RestoreState()
{
    if (bRestore && hDC)
        RestoreDC(hDC, -1);
    bRestore = 0;
}

ClientDC::ClientDC(HWND hWnd, int save) : FwDC(Adopt(), GetDC(hWnd), save), hWnd(hWnd) {}

ClientDC::~ClientDC()
{
    // The state goes back before the DC does.
    RestoreState();
    if (hDC)
        ReleaseDC(hWnd, hDC);
    hDC = nullptr;
}
