// FwCtrl: one control of a dialog, subclassed and registered in the dialog's control
// list. The dialog forwards the control's commands, notifications and owner drawing to it.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include "VntApi.h"
#include "ui/FwWnd.h"

class FwDlg;

// Drop options in dwFlags: what a dropped path writes into the control.
#define FWCTRL_DROP_ANY 0x80000000u     // the path, whatever it names
#define FWCTRL_DROP_NAME 0x40000000u    // file name and extension only
#define FWCTRL_DROP_FOLDER 0x20000000u  // the folder, or the folder of a file
#define FWCTRL_DROP_FILE 0x10000000u    // the path of an existing file

class VNT_API FwCtrl : public FwWnd {
public:
    FwDlg* pDlg;         // null until Init
    UINT uID;
    const char* pszText; // kept for the owner, never read here
    DWORD dwFlags;

    FwCtrl();
    ~FwCtrl() override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void OnInit();
    virtual void OnOK();
    // Non-zero when handled; *pResult is then the dialog procedure's result.
    virtual int OnCommand(WORD code, long* pResult);
    virtual long OnNotify(NMHDR* pnmh, long* pResult);
    virtual void OnDrawItem(DRAWITEMSTRUCT* pdis);
    virtual void OnMeasureItem(MEASUREITEMSTRUCT* pmis);
    virtual void OnDeleteItem(DELETEITEMSTRUCT* pdis);

protected:
    virtual void Store();
    virtual void Load();

public:
    // Binds the dialog's item once; a bound control ignores further calls (result 0).
    int Init(FwDlg* pDialog, UINT idCtrl, const char* text = nullptr, DWORD flags = 0);
    UINT GetID() const { return uID; }
    void OnDropFiles(HDROP hDrop);
};
