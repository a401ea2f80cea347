#include "ui/FwListBox.h"
#include "ui/ItemListOps.h"

LRESULT FwListBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return FwCtrl::OnMessage(msg, wParam, lParam);
}

int FwListBox::GetCount() { return static_cast<int>(SendMsg(LB_GETCOUNT)); }
int FwListBox::AddStr(const char* psz) { return static_cast<int>(SendMsg(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(psz))); }

int FwListBox::InsertStr(UINT index, const char* psz)
{
    return static_cast<int>(SendMsg(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(psz)));
}

int FwListBox::GetStrLen(UINT index) { return static_cast<int>(SendMsg(LB_GETTEXTLEN, index)); }
int FwListBox::GetStr(UINT index, char* psz) { return static_cast<int>(SendMsg(LB_GETTEXT, index, reinterpret_cast<LPARAM>(psz))); }
DWORD FwListBox::GetItemData(UINT index) { return static_cast<DWORD>(SendMsg(LB_GETITEMDATA, index)); }
int FwListBox::SetItemData(UINT index, DWORD data) { return static_cast<int>(SendMsg(LB_SETITEMDATA, index, data)); }

int FwListBox::FindStrExact(const char* psz, UINT after)
{
    return static_cast<int>(SendMsg(LB_FINDSTRINGEXACT, after, reinterpret_cast<LPARAM>(psz)));
}

int FwListBox::DelStr(UINT index) { return static_cast<int>(SendMsg(LB_DELETESTRING, index)); }
int FwListBox::DelAll() { return static_cast<int>(SendMsg(LB_RESETCONTENT)); }
int FwListBox::GetCurSel() { return static_cast<int>(SendMsg(LB_GETCURSEL)); }
int FwListBox::SetCurSel(UINT index) { return static_cast<int>(SendMsg(LB_SETCURSEL, index)); }

int FwListBox::GetItemRect(UINT index, RECT* pRect)
{
    return SendMsg(LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(pRect)) != LB_ERR;
}

int FwListBox::AddItem(const char* psz, DWORD data) { return ItemListOps::AddItem(*this, psz, data); }

int FwListBox::InsertItem(UINT index, const char* psz, DWORD data)
{
    return ItemListOps::InsertItem(*this, index, psz, data);
}

DWORD FwListBox::GetItem(UINT index, char* buf) { return ItemListOps::GetItem(*this, index, buf); }
int FwListBox::CanMove(UINT index, int up) { return ItemListOps::CanMove(*this, index, up); }
void FwListBox::MoveItem(UINT index, int up) { ItemListOps::MoveItem(*this, index, up); }

void FwListBox::RedrawItem(UINT index)
{
    RECT rc;
    if (GetItemRect(index, &rc))
        Invalidate(&rc, FALSE);
}

int FwListBox::GetItemFromPoint(int x, int y, int strict)
{
    LRESULT r = SendMsg(LB_ITEMFROMPOINT, 0, MAKELPARAM(x, y));
    if (strict && HIWORD(r))
        return -1;
    return static_cast<int>(strict ? LOWORD(r) : r);
}
