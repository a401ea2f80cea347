// AboutPage: the program's icon, name, copyright line and version, a button that opens
// the publisher's web page, and the legal notice. It has no settings.
#pragma once
#include "ui/FwPropPage.h"

class AboutPage : public FwPropPage {
public:
    AboutPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl) override;
    using FwPropPage::OnHelp;
    LRESULT OnHelp(NMHDR* pnmh) override;
};
