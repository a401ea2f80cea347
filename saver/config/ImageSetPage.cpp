#include "config/ImageSetPage.h"
#include <shlobj.h>
#include <cstring>
#include "resource.h"
#include "base/Browse.h"
#include "base/Mbcs.h"
#include "base/Msg.h"
#include "base/WinUtil.h"
#include "base/Path.h"
#include "base/ResStr.h"
#include "config/SheetHelp.h"
#include "config/TextFit.h"
#include "options/ImageSetInfo.h"
#include "options/ImageSetNames.h"

namespace {

const UINT kCountTimer = 1;
const UINT kCountPeriod = 1000; // ms between questions for counts not known yet or of folder sets

// The numbered set that a folder of "Images" is; null for any other folder.
const char* NumberedSetOf(const char* folder)
{
    char images[MAX_PATH], parent[MAX_PATH];
    GetHomeDir(images);
    MakePath(images, images, "Images");
    lstrcpynA(parent, folder, sizeof parent);
    StripFileName(parent);
    RemoveBackSlash(parent);
    return *images && StrCompare(parent, images, 1) == 0 ? FindNameExt(folder) : nullptr;
}

} // namespace

ImageSetPage::ImageSetPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, StrList* list)
    : FwPropPage(pSlot, hInst, idTemplate, PSP_HASHELP), pList(list), pUndo(nullptr), bSetsOn(1), tmCounts(kCountTimer)
{
}

LRESULT ImageSetPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_TIMER && wParam == kCountTimer) {
        if (!clbSets.UpdateCounts())
            tmCounts.Stop();
        return 1;
    }
    return FwPropPage::OnMessage(msg, wParam, lParam);
}

LRESULT ImageSetPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    clbSets.Init(this, IDC_IMAGE_SETS, nullptr, CLB_AUTOCHECK);
    move.pList = &clbSets;
    move.Init(this, IDC_MOVE);
    SetSpinRange(IDC_MOVE, 0, 1);
    for (POS__* pos = pList->GetHeadPosition(); pos;)
        clbSets.AddSet(static_cast<const char*>(pList->GetNext(pos)));
    if (clbSets.GetCount() > 0)
        clbSets.SetCurSel(0);
    WatchCounts();
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

LRESULT ImageSetPage::OnCommand(WORD idCtrl, WORD code, HWND hCtl)
{
    switch (idCtrl) {
    case IDC_ADD_FOLDER:
        ChooseFolder();
        break;
    case IDC_REMOVE_SET:
        RemoveSelectedSet();
        break;
    case IDC_IMAGE_SETS:
        if (code == LBN_SELCHANGE)
            EnableSetControls(bSetsOn);
        break;
    }
    return FwPropPage::OnCommand(idCtrl, code, hCtl);
}

// The list keeps each entry's set, never the text it shows.
void ImageSetPage::ReadSets(StrList& list)
{
    list.RemoveAll();
    int count = clbSets.GetCount();
    for (int i = 0; i < count; i++) {
        const char* name = clbSets.GetSetName(i);
        if (!name)
            continue;
        char item[MAX_PATH + 2];
        item[0] = clbSets.GetCheck(i) ? '1' : '0';
        StrCopyN(item + 1, name, sizeof item - 1);
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

// The picker opens on the selected folder set, else on the user's pictures.
void ImageSetPage::ChooseFolder()
{
    char path[MAX_PATH] = "";
    const char* selected = clbSets.GetSetName(clbSets.GetCurSel());
    if (selected && IsFolderSetName(selected) && FolderExists(selected))
        lstrcpynA(path, selected, sizeof path);
    else
        GetSpecialFolderPath(hWnd, CSIDL_MYPICTURES, path);
    ResStr title(IDS_ADD_FOLDER_TITLE);
    if (BrowseForFolder(hWnd, path, title, BIF_RETURNONLYFSDIRS))
        AddFolderSet(path);
}

int ImageSetPage::AddFolderSet(const char* folder)
{
    char path[MAX_PATH];
    if (!folder || !IsFolderSetName(folder) || strlen(folder) >= sizeof path)
        return -1;
    lstrcpynA(path, folder, sizeof path);
    if (!IsRootFolder(path, 1))
        RemoveBackSlash(path);
    int index = clbSets.FindSet(path);
    const char* numbered = NumberedSetOf(path);
    if (index < 0 && numbered)
        index = clbSets.FindSet(numbered);
    // New folders go first: they are what the user wants to see now, and at the head they
    // are in view without scrolling, as new sets of "Images" join at the head too.
    if (index < 0) {
        char item[MAX_PATH + 1] = "1";
        lstrcpynA(item + 1, path, sizeof item - 1);
        index = clbSets.AddSet(item, 0);
        if (index < 0)
            return -1;
    }
    clbSets.SetCheck(index, 1);
    clbSets.SetCurSel(index);
    EnableSetControls(bSetsOn);
    WatchCounts();
    return index;
}

void ImageSetPage::RemoveSelectedSet()
{
    int sel = clbSets.GetCurSel();
    const char* name = clbSets.GetSetName(sel);
    if (!name || !IsFolderSetName(name))
        return;
    clbSets.DelStr(sel);
    int count = clbSets.GetCount();
    if (count > 0)
        clbSets.SetCurSel(sel < count ? sel : count - 1);
    // The focus leaves a button that is about to be disabled.
    if (GetFocus() == GetDlgItem(IDC_REMOVE_SET))
        SendMsg(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(clbSets.hWnd), TRUE);
    EnableSetControls(bSetsOn);
}

void ImageSetPage::EnableSetControls(int on)
{
    bSetsOn = on;
    const char* selected = clbSets.GetSetName(clbSets.GetCurSel());
    EnableDlgItem(IDC_IMAGE_SETS, on);
    EnableDlgItem(IDC_MOVE, on && clbSets.GetCount() > 1);
    EnableDlgItem(IDC_ADD_FOLDER, on);
    EnableDlgItem(IDC_REMOVE_SET, on && selected && IsFolderSetName(selected));
}

void ImageSetPage::WatchCounts()
{
    if (clbSets.UpdateCounts())
        tmCounts.Start(hWnd, kCountPeriod);
}
