#include "ui/FwPropSheet.h"
#include <stdlib.h>
#include "base/SysInfo.h"
#include "ui/FwPropPage.h"

FwPropSheet* FwPropSheet::pDlgInit = nullptr;

// Room per page slot: the larger page structure.
static const UINT cbPageSlot = 48;

FwPropSheet::FwPropSheet(HWND hParent, HINSTANCE hInst, UINT nPages, const char* caption, DWORD flags,
                         UINT idIcon, int ownPages, int foreground)
    : hWnd(nullptr), pPages(nullptr), psh(), bOldShell(GetVerDll() < 0x447), bOwnPages(ownPages),
      bForeground(foreground)
{
    pPages = static_cast<PROPSHEETPAGEA*>(calloc(nPages ? nPages : 1, cbPageSlot));
    psh.dwSize = bOldShell ? 40 : 52;
    // ppsp is always an array of page structures, which the system reads only with
    // PSH_PROPSHEETPAGE (without it, it takes them for page handles).
    psh.dwFlags = flags | PSH_USECALLBACK | PSH_PROPSHEETPAGE;
    psh.hwndParent = hParent;
    psh.hInstance = hInst;
    psh.pszCaption = caption;
    psh.nPages = nPages;
    psh.ppsp = pPages;
    psh.pfnCallback = FwPropSheetProc;
    if (idIcon) {
        psh.dwFlags |= PSH_USEICONID;
        psh.pszIcon = MAKEINTRESOURCEA(idIcon);
    }
}

FwPropSheet::~FwPropSheet()
{
    if (bOwnPages)
        while (!listPages.IsEmpty())
            delete static_cast<FwPropPage*>(listPages.RemoveTail());
    free(pPages);
}

void FwPropSheet::OnPSCB_INITIALIZED()
{
    if (!bForeground)
        return;
    SetWindowLongA(hWnd, GWL_EXSTYLE, GetWindowLongA(hWnd, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    SetForegroundWindow(hWnd);
}

void FwPropSheet::OnPSCB_PRECREATE(long) {}

PROPSHEETPAGEA* FwPropSheet::GetPageBuf(UINT i)
{
    if (!pPages)
        return nullptr;
    return reinterpret_cast<PROPSHEETPAGEA*>(reinterpret_cast<BYTE*>(pPages) + i * PageSize());
}

int FwPropSheet::AddPage(UINT i, FwPropPage* pPage)
{
    if (i >= psh.nPages || !pPage)
        return 0;
    return listPages.AddTail(pPage) != nullptr;
}

int FwPropSheet::Run(UINT startPage)
{
    psh.nStartPage = startPage;
    pDlgInit = this;
    return PropertySheetA(&psh) > 0;
}

int CALLBACK FwPropSheet::FwPropSheetProc(HWND hWnd, UINT msg, LPARAM lParam)
{
    FwPropSheet* pSheet = pDlgInit;
    if (!pSheet)
        return 0;
    try {
        if (msg == PSCB_PRECREATE) {
            pSheet->OnPSCB_PRECREATE(static_cast<long>(lParam));
        } else if (msg == PSCB_INITIALIZED) {
            pSheet->hWnd = hWnd;
            pSheet->OnPSCB_INITIALIZED();
        }
    } catch (...) {
    }
    return 0;
}
