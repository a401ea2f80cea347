#include "config/ImageSetPage.h"
#include "resource.h"
#include "base/Mbcs.h"
#include "base/Msg.h"
#include "base/WinUtil.h"
#include "config/SheetHelp.h"
#include "config/TextFit.h"
#include "options/ImageSetNames.h"

ImageSetPage::ImageSetPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, StrList* list)
    : FwPropPage(pSlot, hInst, idTemplate, PSP_HASHELP), pList(list), clbSets(nullptr, IDB_CHECKLIST),
      pUndo(nullptr)
{
}

LRESULT ImageSetPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    clbSets.Init(this, IDC_IMAGE_SETS, nullptr, CLB_AUTOCHECK);
    move.pList = &clbSets;
    move.Init(this, IDC_MOVE);
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
        move.MoveSelected(reinterpret_cast<NMUPDOWN*>(pnmh)->iDelta > 0);
    }
    return FwPropPage::OnNotify(idCtrl, pnmh);
}

void ImageSetPage::ReadSets(StrList& list)
{
    list.RemoveAll();
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
        list.AddTail(item);
    }
}

int ImageSetPage::CheckSets(int on)
{
    int count = clbSets.GetCount();
    if (!on || count <= 0)
        return 1;
    for (int i = 0; i < count; i++)
        if (clbSets.GetCheck(i))
            return 1;
    return Refuse(IDC_IMAGE_SETS, "Please tick at least one image set, or clear \"Change image every\".");
}

int ImageSetPage::Refuse(int idItem, const char* text)
{
    // The page may not be the one on screen when OK is pressed.
    int index = static_cast<int>(SendMessageA(hWndSheet, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(hWnd), 0));
    if (index >= 0 && GetCurPage() != hWnd)
        SetCurPage(static_cast<UINT>(index));
    SetDlgItemFocus(idItem);
    if (IsWndClass(GetDlgItem(idItem), "Edit"))
        SendDlgItemMsg(idItem, EM_SETSEL, 0, -1);
    Msg(hWnd, MB_OK | MB_ICONEXCLAMATION, "%s", text);
    return 0;
}

LRESULT ImageSetPage::RefuseApply()
{
    SetMsgResult(PSNRET_INVALID_NOCHANGEPAGE);
    return 0;
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
