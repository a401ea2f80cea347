// ImageSetPage: the part the Screen Saver and Wallpaper pages share: the check list of
// image sets with its Move arrows, read into an image-set list of the options when the
// sheet applies or Test runs, the refusal of what cannot be used, and the Help button.
#pragma once
#include "config/MoveArrows.h"
#include "options/StrList.h"
#include "ui/CheckListBox.h"
#include "ui/FwPropPage.h"

class SettingsUndo;

class ImageSetPage : public FwPropPage {
public:
    StrList* pList;       // the image-set list this page edits; not owned
    CheckListBox clbSets; // item 1001
    MoveArrows move;      // item 1008
    SettingsUndo* pUndo;  // told before a Test changes anything; may be null

    ImageSetPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, StrList* list);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(int idCtrl, NMHDR* pnmh) override;
    using FwPropPage::OnHelp;
    LRESULT OnHelp(NMHDR* pnmh) override;

protected:
    // Enables the list and, when it holds more than one set, the Move arrows.
    void EnableSetControls(int on);
    // The sets in display order with their ticks.
    void ReadSets(StrList& list);
    // With the page's feature on, a list with sets but none ticked is refused.
    int CheckSets(int on);
    // Shows this page with the item selected and says why; 0 for the caller to return.
    int Refuse(int idItem, const char* text);
    // Keeps the sheet open after Refuse.
    LRESULT RefuseApply();
};
