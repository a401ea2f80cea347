// FwPropPage: a property-sheet page as an FwDlg. The sheet creates the page dialog with
// FwDlg::ModalProc; the page callback hands the object over. Sheet notifications become
// the virtual calls below.
#pragma once
#include <windows.h>
#include <prsht.h>
#include "ui/FwDlg.h"

class VNT_API FwPropPage : public FwDlg {
public:
    HWND hWndSheet; // set in OnInitDialog

    // Fills the slot (when not null) so that the sheet creates this page.
    FwPropPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, DWORD flags = 0);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnNotify(int idCtrl, NMHDR* pnmh) override;
    LRESULT OnOK() override;
    LRESULT OnCancel() override;
    using FwDlg::OnHelp;
    virtual LRESULT OnApply(PSHNOTIFY* pn);
    virtual LRESULT OnHelp(NMHDR* pnmh);
    virtual LRESULT OnKillActive(NMHDR* pnmh);
    virtual LRESULT OnSetActive(NMHDR* pnmh);
    virtual LRESULT OnReset(PSHNOTIFY* pn);
    virtual LRESULT OnQueryCancel(NMHDR* pnmh);
    virtual LRESULT OnWizBack(NMHDR* pnmh);
    virtual LRESULT OnWizNext(NMHDR* pnmh);
    virtual LRESULT OnWizFinish(NMHDR* pnmh);

    static UINT CALLBACK CallBack(HWND hWnd, UINT msg, PROPSHEETPAGEA* ppsp);
    void SetDirty();
    void SetMsgResult(DWORD result);
    void SetOKText(const char* psz);
    void SetCancelText(const char* psz);
    void CancelToClose();
    HWND GetCurPage();
    int SetCurPage(UINT index);
    void SimulateCancel();

protected:
    LRESULT DefNotify(NMHDR* pnmh);
};
