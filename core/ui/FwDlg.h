// FwDlg: a dialog box as an object. One dialog procedure (ModalProc) serves every dialog
// and property page; it binds the object on the dialog's first message and turns the
// dialog messages into virtual calls. Bound controls (FwCtrl) receive their own commands,
// notifications and owner drawing through the dialog.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include "VntApi.h"
#include "base/FwList.h"
#include "ui/FwWnd.h"

class FwCtrl;

class VNT_API FwDlg : public FwWnd {
public:
    int bModeless;      // opened by Modeless: OK and Cancel destroy instead of EndDialog
    int bContextHelp;   // F1 on a control opens that control's pop-up help
    UINT uDialogId;     // template id, from FwDlg::id when bound
    WORD wInstanceTag;  // answer to another instance's query (0: none)
    FwList listCtrls;   // bound FwCtrl objects in binding order; not owned
    DWORD dwHelpId;     // help context; computed on first use when 0

    // Hand-over to the dialog that is being created: the object and its template id.
    static FwDlg* pDlgInit;
    static UINT id;

    explicit FwDlg(UINT helpId = 0);
    ~FwDlg() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void PreInit();
    virtual LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);
    virtual LRESULT OnNotify(int idCtrl, NMHDR* pnmh);
    virtual void OnHelp(HELPINFO* pInfo);
    virtual LRESULT OnOK();
    virtual LRESULT OnCancel();
    virtual LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl);

    int Modal(int idTemplate, HINSTANCE hInst, HWND hParent);
    HWND Modeless(int idTemplate, HINSTANCE hInst, HWND hParent);
    int CreateIndirect(const DLGTEMPLATE* pTemplate, HWND hParent);
    static INT_PTR CALLBACK ModalProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam);
    void AddCtrl(FwCtrl* pCtrl);
    void CenterWindow(HWND hWndRef);

    BOOL EndDialog(int result);
    HWND GetDlgItem(int idItem);
    LRESULT SendDlgItemMsg(int idItem, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    FwCtrl* GetDlgCtrl(int idItem);
    static FwCtrl* GetDlgCtrl(HWND hCtl);
    HWND SetDlgItemFocus(int idItem);
    static HWND SetDlgItemFocus(HWND hDlg, int idItem);
    BOOL EnableDlgItem(int idItem, BOOL bEnable = TRUE);
    BOOL ShowDlgItem(int idItem, BOOL bShow = TRUE);
    void TurnDlgItem(int idItem, BOOL bOn);
    UINT IsDlgButtonChecked(int idItem);
    BOOL CheckDlgButton(int idItem, UINT check);
    BOOL CheckRadioButton(int idFirst, int idLast, int idCheck);
    int GetCheckedRadioButton(int idFirst, int idLast);
    int GetDlgItemTextLength(int idItem);
    UINT GetDlgItemTextA(int idItem, char* psz, int cch);
    BOOL SetDlgItemTextA(int idItem, const char* psz);
    BOOL SetDlgItemTextA(int idItem, UINT idString, HINSTANCE hInst);
    UINT GetDlgItemInt(int idItem, int* pOk = nullptr, BOOL bSigned = FALSE);
    BOOL SetDlgItemInt(int idItem, UINT value, BOOL bSigned = FALSE);
    void SetSpinRange(UINT idSpin, UINT low, UINT high);
    BOOL SetDlgItemTextFmt(int idItem, const char* pszFormat, ...);
    BOOL SetDlgItemTextFmt(int idItem, HINSTANCE hInst, UINT idString, ...);
    // The item's own text is the format.
    BOOL SetDlgItemTextFmtCtrl(int idItem, ...);
    BOOL MoveButtonToSlot(UINT idButton, UINT idSlot);
    BOOL MoveCtrlEdge(UINT idItem, UINT idRef, BOOL bRight);

protected:
    void OKControls();
    LRESULT OnCommandMsg(WPARAM wParam, LPARAM lParam);
    // EndDialog for a modal dialog, Destroy for a modeless one.
    void Close(int result);
    // The control object of a window, when it is one bound to this dialog.
    FwCtrl* BoundCtrl(HWND hCtl);
};
