// ImageSetPage: the part the Screen Saver and Wallpaper pages share: the check list of
// image sets with its Move arrows, Add folder... and Remove, read into an image-set list of
// the options when the sheet applies or Test runs, the refusal of what cannot be used, and
// the Help button.
#pragma once
#include "config/ImageSetList.h"
#include "config/MoveArrows.h"
#include "options/StrList.h"
#include "ui/FwPropPage.h"
#include "ui/FwTimer.h"

class SettingsUndo;

class ImageSetPage : public FwPropPage {
public:
    StrList* pList;       // the image-set list this page edits; not owned
    ImageSetList clbSets; // item 1001
    MoveArrows move;      // item 1008
    SettingsUndo* pUndo;  // told before a Test changes anything; may be null

    ImageSetPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, StrList* list);

    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(int idCtrl, NMHDR* pnmh) override;
    LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl) override;
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
    // The sets in display order with their ticks.
    void ReadSets(StrList& list);
    // With the page's feature on, a list with sets but none ticked is refused.
    int CheckSets(int on);
    // Shows this page with the item selected and says why; 0 for the caller to return.
    int Refuse(int idItem, const char* text);
    // Keeps the sheet open after Refuse.
    LRESULT RefuseApply();

private:
    int bSetsOn;        // the list's controls are enabled
    FwTimer tmCounts;   // asks again for counts not known yet

    void ChooseFolder();
    void WatchCounts();
};
