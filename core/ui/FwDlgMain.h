// FwDlgMain: a dialog used as a main window: icon, About entry in the system menu and a
// position remembered in the application's settings key.
#pragma once
#include "ui/FwDlg.h"

#define FWDLG_IDM_ABOUT 16 // system-menu command of the About entry

class VNT_API FwDlgMain : public FwDlg {
public:
    HICON hIcon;
    HICON hIconSmall;

    FwDlgMain(HINSTANCE hInst, int idIcon);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    virtual LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnAbout();

    void StorePosition();
    void RestorePosition();
};
