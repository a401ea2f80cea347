// ImageSetPage: the part the Screen Saver and Wallpaper pages share: the check list of
// image sets with its Move arrows, Add folder... and Remove, loaded from one image-set list
// of the options and written back when the sheet applies, and the Help button.
#pragma once
#include "config/ImageSetList.h"
#include "options/StrList.h"
#include "ui/FwPropPage.h"
#include "ui/FwTimer.h"

class ImageSetPage : public FwPropPage {
public:
    StrList* pList;       // the image-set list this page edits; not owned
    ImageSetList clbSets; // item 1001

    ImageSetPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, StrList* list);

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(int idCtrl, NMHDR* pnmh) override;
    LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl) override;
    LRESULT OnApply(PSHNOTIFY* pn) override;
    using FwPropPage::OnHelp;
    LRESULT OnHelp(NMHDR* pnmh) override;

    // Makes the folder (a full path) a set in use: a new entry at the head of the list, or
    // the entry that already shows it; either is selected. Its index; -1 when refused.
    int AddFolderSet(const char* folder);
    // Removes the selected set when it is a folder set; numbered sets can only be unticked.
    void RemoveSelectedSet();

protected:
    // Enables the list and Add folder..., the Move arrows when the list holds more than one
    // set, and Remove when a folder set is selected.
    void EnableSetControls(int on);

private:
    int bSetsOn;        // the list's controls are enabled
    FwTimer tmCounts;   // asks again for counts not known yet

    void ChooseFolder();
    void WatchCounts();
};
