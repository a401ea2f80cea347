// Item operations that list boxes and combo boxes share, written once on the one-message
// wrappers both classes have (their error answers are the same: -1 and -2). Not exported.
#pragma once
#include <windows.h>
#include <vector>

namespace ItemListOps {

inline bool IsIndex(int r) { return r != LB_ERR && r != LB_ERRSPACE; }

template <class Ctl> int AddItem(Ctl& ctl, const char* psz, DWORD data)
{
    int index = ctl.AddStr(psz);
    return IsIndex(index) && ctl.SetItemData(index, data) != LB_ERR;
}

template <class Ctl> int InsertItem(Ctl& ctl, UINT index, const char* psz, DWORD data)
{
    int at = ctl.InsertStr(index, psz);
    return IsIndex(at) && ctl.SetItemData(at, data) != LB_ERR;
}

template <class Ctl> DWORD GetItem(Ctl& ctl, UINT index, char* buf)
{
    if (buf)
        buf[0] = '\0';
    if (index >= static_cast<UINT>(ctl.GetCount()))
        return 0;
    if (buf && ctl.GetStr(index, buf) == LB_ERR)
        buf[0] = '\0';
    return ctl.GetItemData(index);
}

// Unsigned: no selection (-1) can move nowhere.
template <class Ctl> int CanMove(Ctl& ctl, UINT index, int up)
{
    UINT count = static_cast<UINT>(ctl.GetCount());
    return index < count && (up ? index > 0 : index + 1 < count);
}

template <class Ctl> void MoveItem(Ctl& ctl, UINT index, int up)
{
    if (!CanMove(ctl, index, up))
        return;
    int len = ctl.GetStrLen(index);
    std::vector<char> text(len > 0 ? len + 1 : 1, '\0');
    if (len > 0)
        ctl.GetStr(index, text.data());
    DWORD data = ctl.GetItemData(index);
    ctl.DelStr(index);
    UINT to = up ? index - 1 : index + 1;
    InsertItem(ctl, to, text.data(), data);
    ctl.SetCurSel(to);
}

} // namespace ItemListOps
