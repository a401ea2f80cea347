#include "config/ImageSetPage.h"
#include "resource.h"
#include "base/Mbcs.h"
#include "config/SheetHelp.h"
#include "config/TextFit.h"
#include "options/ImageSetNames.h"

ImageSetPage::ImageSetPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, StrList* list)
    : FwPropPage(pSlot, hInst, idTemplate, PSP_HASHELP), pList(list), clbSets(nullptr, IDB_CHECKLIST)
{
}

LRESULT ImageSetPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    clbSets.Init(this, IDC_IMAGE_SETS, nullptr, CLB_AUTOCHECK);
    SetSpinRange(IDC_MOVE, 0, 1);
    for (POS__* pos = pList->GetHeadPosition(); pos;) {
        const char* item = static_cast<const char*>(pList->GetNext(pos));
        int index = clbSets.AddItem(ImageSetName(item), nullptr, 0);
        if (index >= 0 && IsImageSetInUse(item))
            clbSets.SetCheck(index, 1);
    }
    if (clbSets.GetCount() > 0)
        clbSets.SetCurSel(0);
    FitTextControls(hWnd);
    return FwPropPage::OnInitDialog(wParam, lParam);
}

LRESULT ImageSetPage::OnNotify(int idCtrl, NMHDR* pnmh)
{
    if (pnmh && pnmh->idFrom == IDC_MOVE && pnmh->code == static_cast<UINT>(UDN_DELTAPOS)) {
        // The arrows only move the selected set; the control's own position means nothing.
        int up = reinterpret_cast<NMUPDOWN*>(pnmh)->iDelta > 0;
        int sel = clbSets.GetCurSel();
        if (clbSets.CanMove(sel, up))
            clbSets.MoveItem(sel, up);
    }
    return FwPropPage::OnNotify(idCtrl, pnmh);
}

LRESULT ImageSetPage::OnApply(PSHNOTIFY* pn)
{
    pList->RemoveAll();
    int count = clbSets.GetCount();
    for (int i = 0; i < count; i++) {
        // Each entry's data is its record; its text is copied bounded.
        const CheckListItem* rec = reinterpret_cast<const CheckListItem*>(
            static_cast<UINT_PTR>(clbSets.GetItemData(i)));
        if (!rec || !rec->pszText)
            continue;
        char item[256];
        item[0] = clbSets.GetCheck(i) ? '1' : '0';
        StrCopyN(item + 1, rec->pszText, sizeof item - 1);
        pList->AddTail(item);
    }
    return FwPropPage::OnApply(pn);
}

LRESULT ImageSetPage::OnHelp(NMHDR*)
{
    OpenReadMe(hWnd);
    return 0;
}

void ImageSetPage::EnableSetControls(int on)
{
    EnableDlgItem(IDC_IMAGE_SETS, on);
    EnableDlgItem(IDC_MOVE, on && clbSets.GetCount() > 1);
}
