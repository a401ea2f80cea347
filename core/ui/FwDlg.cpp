#include "ui/FwDlg.h"
#include <stdarg.h>
#include "base/AppInfo.h"
#include "base/CompanyMsg.h"
#include "base/DlgUtil.h"
#include "base/FwHelp.h"
#include "base/Mbcs.h"
#include "base/Module.h"
#include "base/ResStr.h"
#include "base/WinUtil.h"
#include "ui/FwCtrl.h"

FwDlg* FwDlg::pDlgInit = nullptr;
UINT FwDlg::id = 0;

// Texts formatted for dialog items live in buffers of this size.
static const int cbText = 1024;

FwDlg::FwDlg(UINT helpId)
    : bModeless(0), bContextHelp(0), uDialogId(0), wInstanceTag(0), dwHelpId(helpId)
{
}

// The list only points at the controls; their owner destroys them.
FwDlg::~FwDlg() {}

INT_PTR CALLBACK FwDlg::ModalProc(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    FwDlg* pDlg = reinterpret_cast<FwDlg*>(GetWindowLongPtrA(hDlg, DWLP_USER));
    // A C++ exception cannot pass through the system's frames that called us.
    try {
        if (!pDlg) {
            pDlg = pDlgInit;
            if (!pDlg) // a dialog nobody handed an object over for
                return 0;
            SetWindowLongPtrA(hDlg, DWLP_USER, reinterpret_cast<LONG_PTR>(pDlg));
            pDlgInit = nullptr;
            pDlg->hWnd = hDlg;
            pDlg->uDialogId = id;
            pDlg->PreInit();
        }
        switch (msg) {
        case WM_NOTIFY: {
            // The sender reads a notification's answer from DWLP_MSGRESULT, never from our
            // return value. A handler may have set it itself (SetMsgResult) and return 0.
            SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, 0);
            LRESULT result = pDlg->OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam));
            if (result)
                SetWindowLongPtrA(hDlg, DWLP_MSGRESULT, result);
            return TRUE;
        }
        case WM_HELP:
            pDlg->OnHelp(reinterpret_cast<HELPINFO*>(lParam));
            return 1;
        case WM_INITDIALOG:
            return pDlg->OnInitDialog(wParam, lParam);
        case WM_COMMAND:
            return pDlg->OnCommandMsg(wParam, lParam);
        default:
            return pDlg->OnMessage(msg, wParam, lParam);
        }
    } catch (...) {
        return 0;
    }
}

LRESULT FwDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (wInstanceTag && static_cast<LPARAM>(wInstanceTag) == lParam && msg == GetMyCompanyMsg()) {
        SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, 1);
        return 1;
    }
    FwCtrl* pCtrl;
    switch (msg) {
    case WM_DRAWITEM:
        if ((pCtrl = BoundCtrl(::GetDlgItem(hWnd, static_cast<int>(wParam)))) != nullptr)
            pCtrl->OnDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return 1;
    case WM_MEASUREITEM:
        if ((pCtrl = BoundCtrl(::GetDlgItem(hWnd, static_cast<int>(wParam)))) != nullptr)
            pCtrl->OnMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return 1;
    case WM_DELETEITEM:
        if ((pCtrl = BoundCtrl(::GetDlgItem(hWnd, static_cast<int>(wParam)))) != nullptr)
            pCtrl->OnDeleteItem(reinterpret_cast<DELETEITEMSTRUCT*>(lParam));
        return 1;
    }
    return 0;
}

// On double-byte systems the template's font may lack the characters: the dialog falls
// back to the system font.
void FwDlg::PreInit()
{
    if (IsMBCS() && SendMessageA(hWnd, WM_GETFONT, 0, 0))
        SendMessageA(hWnd, WM_SETFONT, 0, 0);
}

LRESULT FwDlg::OnInitDialog(WPARAM, LPARAM)
{
    CenterWindow(::GetParent(hWnd));
    return 0;
}

LRESULT FwDlg::OnNotify(int idCtrl, NMHDR* pnmh)
{
    FwCtrl* pCtrl = pnmh ? BoundCtrl(pnmh->hwndFrom) : nullptr;
    long result = 0;
    if (pCtrl && pCtrl->OnNotify(pnmh, &result))
        return result;
    return OnMessage(WM_NOTIFY, static_cast<WPARAM>(idCtrl), reinterpret_cast<LPARAM>(pnmh));
}

void FwDlg::OnHelp(HELPINFO* pInfo)
{
    const AppData& app = AppInfo::Data();
    if (bContextHelp && pInfo) {
        FwHelp(hWnd, app.pszHelpFile, HELP_CONTEXTPOPUP, app.dwHelpBase + pInfo->iCtrlId + 0x50000);
        return;
    }
    if (!dwHelpId)
        dwHelpId = app.dwHelpBase + uDialogId + 0x20000;
    FwHelp(hWnd, app.pszHelpFile, HELP_CONTEXT, dwHelpId);
}

LRESULT FwDlg::OnOK()
{
    OKControls();
    Close(IDOK);
    return 1;
}

LRESULT FwDlg::OnCancel()
{
    Close(IDCANCEL);
    return 1;
}

LRESULT FwDlg::OnCommand(WORD, WORD code, HWND hCtl)
{
    FwCtrl* pCtrl = BoundCtrl(hCtl);
    long result = 0;
    if (pCtrl && pCtrl->OnCommand(code, &result))
        return result;
    return 0;
}

LRESULT FwDlg::OnCommandMsg(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDOK:
        return OnOK();
    case IDCANCEL:
        return OnCancel();
    case IDHELP:
        OnHelp(static_cast<HELPINFO*>(nullptr));
        return 1;
    default:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    }
}

void FwDlg::Close(int result)
{
    if (bModeless)
        Destroy();
    else
        ::EndDialog(hWnd, result);
}

// A window's user data may belong to someone else (a control of the system, or one not
// bound here): only a pointer this dialog handed out counts as a control object.
FwCtrl* FwDlg::BoundCtrl(HWND hCtl)
{
    FwCtrl* pCtrl = GetDlgCtrl(hCtl);
    return pCtrl && listCtrls.Find(pCtrl) ? pCtrl : nullptr;
}

void FwDlg::OKControls()
{
    for (POS__* pos = listCtrls.GetHeadPosition(); pos;)
        static_cast<FwCtrl*>(listCtrls.GetNext(pos))->OnOK();
}

int FwDlg::Modal(int idTemplate, HINSTANCE hInst, HWND hParent)
{
    pDlgInit = this;
    id = idTemplate;
    INT_PTR result = DialogBoxParamA(hInst ? hInst : GetLibraryModule(), MAKEINTRESOURCEA(idTemplate), hParent,
                                     ModalProc, 0);
    pDlgInit = nullptr; // not consumed when no dialog came to be: a later one must not bind to us
    return static_cast<int>(result);
}

HWND FwDlg::Modeless(int idTemplate, HINSTANCE hInst, HWND hParent)
{
    bModeless = 1;
    pDlgInit = this;
    id = idTemplate;
    HWND hDlg = CreateDialogParamA(hInst ? hInst : GetLibraryModule(), MAKEINTRESOURCEA(idTemplate),
                                   hParent, ModalProc, 0);
    pDlgInit = nullptr; // not consumed when no dialog came to be
    if (hDlg) {
        ShowWindow(hDlg, SW_SHOW);
        UpdateWindow(hDlg);
    }
    return hDlg;
}

int FwDlg::CreateIndirect(const DLGTEMPLATE* pTemplate, HWND hParent)
{
    pDlgInit = this;
    id = 0;
    HWND hDlg = CreateDialogIndirectParamA(GetLibraryModule(), pTemplate, hParent, ModalProc, 0);
    pDlgInit = nullptr;
    return hDlg != nullptr;
}

void FwDlg::AddCtrl(FwCtrl* pCtrl)
{
    listCtrls.AddTail(pCtrl);
}

void FwDlg::CenterWindow(HWND hWndRef)
{
    ::CenterWindow(hWnd, hWndRef);
}

BOOL FwDlg::EndDialog(int result) { return ::EndDialog(hWnd, result); }
HWND FwDlg::GetDlgItem(int idItem) { return ::GetDlgItem(hWnd, idItem); }

LRESULT FwDlg::SendDlgItemMsg(int idItem, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return SendDlgItemMessageA(hWnd, idItem, msg, wParam, lParam);
}

FwCtrl* FwDlg::GetDlgCtrl(int idItem) { return GetDlgCtrl(::GetDlgItem(hWnd, idItem)); }

FwCtrl* FwDlg::GetDlgCtrl(HWND hCtl)
{
    return hCtl ? reinterpret_cast<FwCtrl*>(GetWindowLongPtrA(hCtl, GWLP_USERDATA)) : nullptr;
}

HWND FwDlg::SetDlgItemFocus(int idItem) { return SetDlgItemFocus(hWnd, idItem); }
HWND FwDlg::SetDlgItemFocus(HWND hDlg, int idItem) { return ::SetFocus(::GetDlgItem(hDlg, idItem)); }
BOOL FwDlg::EnableDlgItem(int idItem, BOOL bEnable) { return EnableWindow(::GetDlgItem(hWnd, idItem), bEnable); }

BOOL FwDlg::ShowDlgItem(int idItem, BOOL bShow)
{
    return ShowWindow(::GetDlgItem(hWnd, idItem), bShow ? SW_SHOW : SW_HIDE);
}

void FwDlg::TurnDlgItem(int idItem, BOOL bOn)
{
    EnableDlgItem(idItem, bOn);
    ShowDlgItem(idItem, bOn);
}

UINT FwDlg::IsDlgButtonChecked(int idItem) { return ::IsDlgButtonChecked(hWnd, idItem); }
BOOL FwDlg::CheckDlgButton(int idItem, UINT check) { return ::CheckDlgButton(hWnd, idItem, check); }

BOOL FwDlg::CheckRadioButton(int idFirst, int idLast, int idCheck)
{
    return ::CheckRadioButton(hWnd, idFirst, idLast, idCheck);
}

int FwDlg::GetCheckedRadioButton(int idFirst, int idLast)
{
    for (int idItem = idFirst; idItem <= idLast; idItem++)
        if (::IsDlgButtonChecked(hWnd, idItem) == BST_CHECKED)
            return idItem;
    return 0;
}

int FwDlg::GetDlgItemTextLength(int idItem) { return GetWindowTextLengthA(::GetDlgItem(hWnd, idItem)); }

UINT FwDlg::GetDlgItemTextA(int idItem, char* psz, int cch)
{
    return ::GetDlgItemTextA(hWnd, idItem, psz, cch);
}

BOOL FwDlg::SetDlgItemTextA(int idItem, const char* psz) { return ::SetDlgItemTextA(hWnd, idItem, psz); }

BOOL FwDlg::SetDlgItemTextA(int idItem, UINT idString, HINSTANCE hInst)
{
    char sz[512];
    if (!hInst)
        hInst = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hWnd, GWLP_HINSTANCE));
    if (LoadStringA(hInst, idString, sz, sizeof(sz)) <= 0)
        sz[0] = '\0';
    return ::SetDlgItemTextA(hWnd, idItem, sz);
}

UINT FwDlg::GetDlgItemInt(int idItem, int* pOk, BOOL bSigned)
{
    BOOL ok = FALSE;
    UINT value = ::GetDlgItemInt(hWnd, idItem, &ok, bSigned);
    if (pOk)
        *pOk = ok;
    return value;
}

BOOL FwDlg::SetDlgItemInt(int idItem, UINT value, BOOL bSigned)
{
    return ::SetDlgItemInt(hWnd, idItem, value, bSigned);
}

void FwDlg::SetSpinRange(UINT idSpin, UINT low, UINT high)
{
    SetDlgItemSpinRange(hWnd, idSpin, low, high);
}

static BOOL SetItemTextV(HWND hDlg, int idItem, const char* format, va_list args)
{
    char sz[cbText];
    FormatBuf(sz, sizeof(sz), format, args);
    return ::SetDlgItemTextA(hDlg, idItem, sz);
}

BOOL FwDlg::SetDlgItemTextFmt(int idItem, const char* pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    BOOL ok = SetItemTextV(hWnd, idItem, pszFormat, args);
    va_end(args);
    return ok;
}

BOOL FwDlg::SetDlgItemTextFmt(int idItem, HINSTANCE hInst, UINT idString, ...)
{
    char format[cbText];
    if (LoadStringA(hInst, idString, format, sizeof(format)) <= 0)
        format[0] = '\0';
    va_list args;
    va_start(args, idString);
    BOOL ok = SetItemTextV(hWnd, idItem, format, args);
    va_end(args);
    return ok;
}

// The item's own text (from the template) is the format.
BOOL FwDlg::SetDlgItemTextFmtCtrl(int idItem, ...)
{
    char format[cbText];
    if (!::GetDlgItemTextA(hWnd, idItem, format, sizeof(format)))
        format[0] = '\0';
    va_list args;
    va_start(args, idItem);
    BOOL ok = SetItemTextV(hWnd, idItem, format, args);
    va_end(args);
    return ok;
}

BOOL FwDlg::MoveButtonToSlot(UINT idButton, UINT idSlot)
{
    RECT rcSlot;
    HWND hButton = ::GetDlgItem(hWnd, idButton);
    return hButton && GetRectInParent(::GetDlgItem(hWnd, idSlot), rcSlot) &&
           SetWndOrigin(hButton, rcSlot.left, rcSlot.top, 0);
}

BOOL FwDlg::MoveCtrlEdge(UINT idItem, UINT idRef, BOOL bRight)
{
    RECT rc, rcRef;
    if (!GetRectInParent(::GetDlgItem(hWnd, idItem), rc) ||
        !GetRectInParent(::GetDlgItem(hWnd, idRef), rcRef))
        return FALSE;
    if (bRight)
        rc.right = rcRef.right;
    else
        rc.left = rcRef.left;
    return SetWndPos(::GetDlgItem(hWnd, idItem), &rc, SWP_FRAMECHANGED);
}
