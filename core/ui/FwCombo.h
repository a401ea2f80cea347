// FwCombo: a dialog's combo box. In a drop-down combo it keeps the text the user typed
// when a drop-down opens or ends without a valid selection: the edit field (FwCBEdit)
// swallows the one WM_SETTEXT the combo sends at those moments.
#pragma once
#include "ui/FwCtrl.h"

#define FWCOMBO_CODE_SETTEXT 99 // WM_COMMAND code: the combo tried to set its edit text

class VNT_API FwCombo : public FwCtrl {
public:
    class VNT_API FwCBEdit : public FwWnd {
    public:
        FwCombo* pCombo;
        explicit FwCBEdit(FwCombo* pOwner = nullptr) : pCombo(pOwner) {}
        LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    };

    FwCBEdit editCtl;
    int bBlockSetText;  // the next WM_SETTEXT to the edit field is swallowed
    int bSelCancelled;  // the drop-down ended without a valid selection

    FwCombo();
    FwCombo(const FwCombo&) = delete;
    FwCombo& operator=(const FwCombo&) = delete;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnInit() override;
    int OnCommand(WORD code, long* pResult) override;
    // Offered every message of the edit field first; non-zero when handled (*pResult).
    virtual int OnEditCtrlMsg(UINT msg, WPARAM wParam, LPARAM lParam, long* pResult);

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
    int SetExtendedUI(BOOL bExtended);

    int AddItem(const char* psz, DWORD data);
    int InsertItem(UINT index, const char* psz, DWORD data);
    DWORD GetItem(UINT index, char* buf);
    int CanMove(UINT index, int up);
    void MoveItem(UINT index, int up);
};
