// FwListBox: a dialog's list box. Besides the one-message wrappers: items with data,
// moving an item up or down, redrawing one item and the item under a point.
#pragma once
#include "ui/FwCtrl.h"

class VNT_API FwListBox : public FwCtrl {
public:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    int GetCount();
    int AddStr(const char* psz);
    int InsertStr(UINT index, const char* psz);
    int GetStrLen(UINT index);
    int GetStr(UINT index, char* psz);
    DWORD GetItemData(UINT index);
    int SetItemData(UINT index, DWORD data);
    int FindStrExact(const char* psz, UINT after);
    int DelStr(UINT index);
    int DelAll();
    int GetCurSel();
    int SetCurSel(UINT index);
    int GetItemRect(UINT index, RECT* pRect);

    int AddItem(const char* psz, DWORD data);
    int InsertItem(UINT index, const char* psz, DWORD data);
    // Empties buf, copies the text into it; the data, or 0 for no such item.
    DWORD GetItem(UINT index, char* buf);
    int CanMove(UINT index, int up);
    void MoveItem(UINT index, int up);
    void RedrawItem(UINT index);
    // strict: -1 for a point outside the client area.
    int GetItemFromPoint(int x, int y, int strict);
};
