// CheckListBox: an owner-drawn list box (fixed height, no strings) whose items carry a
// check box (unchecked, checked, indeterminate), an enabled state, an optional icon, a
// text and a caller's value. The boxes come from a 16-colour strip of ten 16x16 cells.
#pragma once
#include "res/VntRes.h"
#include "ui/FwListBox.h"

#define CLB_AUTOCHECK 0x10000           // space and a click on the box toggle the item
#define CLB_3STATE 0x20000              // toggling passes through indeterminate
#define CLB_CROSS 0x40000               // a checked item shows a cross
#define CLB_COLOR 0x80000               // enabled marks are coloured
#define CLB_ICONS 0x100000              // items show their icon
#define CLB_CROSS_UNCHECKED 0x200000    // an unchecked item shows a cross
#define CLB_GRAY_INDETERMINATE 0x400000 // indeterminate shows the grey checked mark

struct CheckListItem {
    int nCheck;     // 0 unchecked, 1 checked, 2 indeterminate
    int bEnabled;
    HICON hIcon;    // not owned
    char* pszText;  // owned
    DWORD dwData;
};

class VNT_API CheckListBox : public FwListBox {
public:
    COLORREF clrText;
    COLORREF clrTextSel;
    COLORREF clrTextGray;
    COLORREF clrBack;
    COLORREF clrBackSel;
    COLORREF clrFocus;
    HPEN hPenFocus;
    HBRUSH hBrBack;
    HBRUSH hBrBackSel;
    HBITMAP hBmpCheck;
    int iFocusItem; // item showing the focus rectangle; -2 none, -1 after a full redraw

    // A null module loads the strip from the library.
    CheckListBox(HINSTANCE hInst = nullptr, UINT idBitmap = IDB_CHECKLIST);
    ~CheckListBox() override;
    CheckListBox(const CheckListBox&) = delete;
    CheckListBox& operator=(const CheckListBox&) = delete;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnInit() override;
    void OnDrawItem(DRAWITEMSTRUCT* pdis) override;
    void OnMeasureItem(MEASUREITEMSTRUCT* pmis) override;
    void OnDeleteItem(DELETEITEMSTRUCT* pdis) override;
    // Called for every item that leaves the list, with its value.
    virtual void OnDeleteItem(DWORD data);

    int AddItem(const char* psz, HICON hIcon, DWORD data);
    int InsertItem(int index, const char* psz, HICON hIcon, DWORD data);
    DWORD GetItem(int index, char* buf);
    // Replaces the item's text and redraws it; 0 for no such item or short memory.
    int SetItemText(int index, const char* psz);
    int FindItem(const char* psz, int ignoreCase, int after);
    void MoveItem(int index, int up);
    HICON GetItemIcon(int index);
    void SetCheck(int index, int state);
    int GetCheck(int index);
    void EnableItem(int index, int enable);
    int IsItemEnabled(int index);
    // 0 outside the item, 1 check box, 2 icon, 3 text.
    int HitTest(int index, int x, int y);

protected:
    int GetBmpIndex(int state, int enabled);
    void DoAutoCheck(int index);
    void SetupColors(int create);
    CheckListItem* GetRecord(int index);
    // Integral-height lists shrink to whole rows of the current row height.
    void FitWholeRows();
    // Inserts rec at index (appends for -1); frees it when the list box refuses it.
    int InsertRecord(int index, CheckListItem* rec);
};
