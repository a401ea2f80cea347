// ImageSetPage: the part the Screen Saver and Wallpaper pages share: the check list of
// image sets with its Move arrows, loaded from one image-set list of the options and
// written back when the sheet applies, and the Help button.
#pragma once
#include "options/StrList.h"
#include "ui/CheckListBox.h"
#include "ui/FwPropPage.h"

class ImageSetPage : public FwPropPage {
public:
    StrList* pList;       // the image-set list this page edits; not owned
    CheckListBox clbSets; // item 1001

    ImageSetPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, StrList* list);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(int idCtrl, NMHDR* pnmh) override;
    LRESULT OnApply(PSHNOTIFY* pn) override;
    using FwPropPage::OnHelp;
    LRESULT OnHelp(NMHDR* pnmh) override;

protected:
    // Enables the list and, when it holds more than one set, the Move arrows.
    void EnableSetControls(int on);
};
