#include "ui/FwCombo.h"
#include "ui/ItemListOps.h"

// The edit field of a drop-down combo box.
static const int idComboEdit = 1001;

FwCombo::FwCombo() : editCtl(nullptr), bBlockSetText(0), bSelCancelled(0) {}

LRESULT FwCombo::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return FwCtrl::OnMessage(msg, wParam, lParam);
}

void FwCombo::OnInit()
{
    HWND hEdit = GetDlgItem(hWnd, idComboEdit);
    if (!hEdit)
        return;
    editCtl.pCombo = this;
    editCtl.Subclass(hEdit);
}

int FwCombo::OnCommand(WORD code, long* pResult)
{
    switch (code) {
    case CBN_DROPDOWN:
        bSelCancelled = 0;
        bBlockSetText = 1;
        break;
    case CBN_SELCHANGE:
        bBlockSetText = bSelCancelled;
        break;
    case CBN_SELENDOK:
        if (bSelCancelled)
            return 1;
        bSelCancelled = GetCurSel() == CB_ERR;
        break;
    case CBN_SELENDCANCEL:
        bSelCancelled = 1;
        break;
    case CBN_CLOSEUP:
        bBlockSetText = bSelCancelled;
        break;
    case CBN_KILLFOCUS:
        bBlockSetText = 0;
        break;
    }
    return FwCtrl::OnCommand(code, pResult);
}

int FwCombo::OnEditCtrlMsg(UINT msg, WPARAM, LPARAM, long*)
{
    if (msg == WM_SETTEXT && bBlockSetText) {
        bBlockSetText = 0;
        return 1;
    }
    return 0;
}

LRESULT FwCombo::FwCBEdit::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    long result = 0;
    FwCombo* pOwner = pCombo;
    LRESULT lr;
    if (pOwner && pOwner->OnEditCtrlMsg(msg, wParam, lParam, &result))
        lr = result;
    else
        lr = FwWnd::OnMessage(msg, wParam, lParam);
    // The edit field ends with the combo: it gives its window back.
    if (msg == WM_NCDESTROY)
        Unsubclass();
    if (msg == WM_SETTEXT && pOwner)
        PostMessageA(::GetParent(pOwner->hWnd), WM_COMMAND, MAKEWPARAM(pOwner->uID, FWCOMBO_CODE_SETTEXT),
                     reinterpret_cast<LPARAM>(pOwner->hWnd));
    return lr;
}

int FwCombo::GetCount() { return static_cast<int>(SendMsg(CB_GETCOUNT)); }
int FwCombo::AddStr(const char* psz) { return static_cast<int>(SendMsg(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz))); }

int FwCombo::InsertStr(UINT index, const char* psz)
{
    return static_cast<int>(SendMsg(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(psz)));
}

int FwCombo::GetStrLen(UINT index) { return static_cast<int>(SendMsg(CB_GETLBTEXTLEN, index)); }
int FwCombo::GetStr(UINT index, char* psz) { return static_cast<int>(SendMsg(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(psz))); }
DWORD FwCombo::GetItemData(UINT index) { return static_cast<DWORD>(SendMsg(CB_GETITEMDATA, index)); }
int FwCombo::SetItemData(UINT index, DWORD data) { return static_cast<int>(SendMsg(CB_SETITEMDATA, index, data)); }

int FwCombo::FindStrExact(const char* psz, UINT after)
{
    return static_cast<int>(SendMsg(CB_FINDSTRINGEXACT, after, reinterpret_cast<LPARAM>(psz)));
}

int FwCombo::DelStr(UINT index) { return static_cast<int>(SendMsg(CB_DELETESTRING, index)); }
int FwCombo::DelAll() { return static_cast<int>(SendMsg(CB_RESETCONTENT)); }
int FwCombo::GetCurSel() { return static_cast<int>(SendMsg(CB_GETCURSEL)); }
int FwCombo::SetCurSel(UINT index) { return static_cast<int>(SendMsg(CB_SETCURSEL, index)); }
int FwCombo::SetExtendedUI(BOOL bExtended) { return static_cast<int>(SendMsg(CB_SETEXTENDEDUI, bExtended)); }

int FwCombo::AddItem(const char* psz, DWORD data) { return ItemListOps::AddItem(*this, psz, data); }

int FwCombo::InsertItem(UINT index, const char* psz, DWORD data)
{
    return ItemListOps::InsertItem(*this, index, psz, data);
}

DWORD FwCombo::GetItem(UINT index, char* buf) { return ItemListOps::GetItem(*this, index, buf); }
int FwCombo::CanMove(UINT index, int up) { return ItemListOps::CanMove(*this, index, up); }
void FwCombo::MoveItem(UINT index, int up) { ItemListOps::MoveItem(*this, index, up); }
