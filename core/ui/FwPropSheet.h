// FwPropSheet: a modal property sheet of FwPropPage objects. The caller takes the slot of
// page i (GetPageBuf), constructs the page on it, registers it (AddPage), then Run.
#pragma once
#include <windows.h>
#include <prsht.h>
#include "VntApi.h"
#include "base/FwList.h"

class FwPropPage;

class VNT_API FwPropSheet {
public:
    HWND hWnd;                // the sheet, from its initialisation on
    PROPSHEETPAGEA* pPages;   // one slot per page, owned
    PROPSHEETHEADERA psh;
    int bOldShell;            // shell before 4.71: the smaller structures
    int bOwnPages;            // the destructor deletes the pages
    int bForeground;          // taskbar button and foreground on initialisation
    FwList listPages;         // pages in AddPage order

    // The sheet being run.
    static FwPropSheet* pDlgInit;

    FwPropSheet(HWND hParent, HINSTANCE hInst, UINT nPages, const char* caption, DWORD flags = 0,
                UINT idIcon = 0, int ownPages = 0, int foreground = 0);
    ~FwPropSheet();
    FwPropSheet(const FwPropSheet&) = delete;
    FwPropSheet& operator=(const FwPropSheet&) = delete;

    virtual void OnPSCB_INITIALIZED();
    virtual void OnPSCB_PRECREATE(long lParam);

    PROPSHEETPAGEA* GetPageBuf(UINT i);
    int AddPage(UINT i, FwPropPage* pPage);
    // 1 when the user closed the sheet with OK.
    int Run(UINT startPage = 0);
    static int CALLBACK FwPropSheetProc(HWND hWnd, UINT msg, LPARAM lParam);

    // Bytes a page slot and the header announce.
    UINT PageSize() const { return bOldShell ? 40 : 48; }
};
