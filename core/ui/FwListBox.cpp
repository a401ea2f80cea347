#include "ui/FwListBox.h"
#include <vector>

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

static bool IsIndex(int r) { return r != LB_ERR && r != LB_ERRSPACE; }

int FwListBox::AddItem(const char* psz, DWORD data)
{
    int index = AddStr(psz);
    return IsIndex(index) && SetItemData(index, data) != LB_ERR;
}

int FwListBox::InsertItem(UINT index, const char* psz, DWORD data)
{
    int at = InsertStr(index, psz);
    return IsIndex(at) && SetItemData(at, data) != LB_ERR;
}

DWORD FwListBox::GetItem(UINT index, char* buf)
{
    if (buf)
        buf[0] = '\0';
    if (index >= static_cast<UINT>(GetCount()))
        return 0;
    if (buf && GetStr(index, buf) == LB_ERR)
        buf[0] = '\0';
    return GetItemData(index);
}

int FwListBox::CanMove(UINT index, int up)
{
    UINT count = static_cast<UINT>(GetCount());
    // Unsigned: no selection (-1) can move nowhere.
    return index < count && (up ? index > 0 : index + 1 < count);
}

void FwListBox::MoveItem(UINT index, int up)
{
    if (!CanMove(index, up))
        return;
    int len = GetStrLen(index);
    std::vector<char> text(len > 0 ? len + 1 : 1, '\0');
    if (len > 0)
        GetStr(index, text.data());
    DWORD data = GetItemData(index);
    DelStr(index);
    UINT to = up ? index - 1 : index + 1;
    InsertItem(to, text.data(), data);
    SetCurSel(to);
}

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
