#include "ui/FwPropPage.h"
#include "base/SysInfo.h"

// The announced page size; the toolkit asks the shell once per page object.
static UINT PageStructSize()
{
    return GetVerDll() < 0x447 ? 40 : 48;
}

FwPropPage::FwPropPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, int idTemplate, DWORD flags)
    : FwDlg(0), hWndSheet(nullptr)
{
    uDialogId = idTemplate;
    if (!pSlot)
        return;
    pSlot->dwSize = PageStructSize();
    pSlot->dwFlags = flags | PSP_USECALLBACK;
    pSlot->hInstance = hInst;
    pSlot->pszTemplate = MAKEINTRESOURCEA(idTemplate);
    pSlot->pfnDlgProc = FwDlg::ModalProc;
    pSlot->lParam = reinterpret_cast<LPARAM>(this);
    pSlot->pfnCallback = CallBack;
}

LRESULT FwPropPage::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    return FwDlg::OnMessage(msg, wParam, lParam);
}

LRESULT FwPropPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    hWndSheet = ::GetParent(hWnd);
    FwDlg::OnInitDialog(wParam, lParam);
    return 0;
}

LRESULT FwPropPage::OnNotify(int idCtrl, NMHDR* pnmh)
{
    if (!pnmh)
        return FwDlg::OnNotify(idCtrl, pnmh);
    switch (pnmh->code) {
    case PSN_SETACTIVE:
        return OnSetActive(pnmh);
    case PSN_KILLACTIVE:
        return OnKillActive(pnmh);
    case PSN_APPLY:
        return OnApply(reinterpret_cast<PSHNOTIFY*>(pnmh));
    case PSN_RESET:
        return OnReset(reinterpret_cast<PSHNOTIFY*>(pnmh));
    case PSN_HELP:
        return OnHelp(pnmh);
    case PSN_WIZBACK:
        return OnWizBack(pnmh);
    case PSN_WIZNEXT:
        return OnWizNext(pnmh);
    case PSN_WIZFINISH:
        return OnWizFinish(pnmh);
    case PSN_QUERYCANCEL:
        return OnQueryCancel(pnmh);
    default:
        return FwDlg::OnNotify(idCtrl, pnmh);
    }
}

// A page is never ended by IDOK or IDCANCEL: the sheet closes it.
LRESULT FwPropPage::OnOK() { return 1; }
LRESULT FwPropPage::OnCancel() { return 1; }

LRESULT FwPropPage::DefNotify(NMHDR* pnmh)
{
    return FwDlg::OnNotify(static_cast<int>(pnmh->idFrom), pnmh);
}

LRESULT FwPropPage::OnApply(PSHNOTIFY* pn)
{
    OKControls();
    return DefNotify(&pn->hdr);
}

LRESULT FwPropPage::OnHelp(NMHDR* pnmh)
{
    FwDlg::OnHelp(static_cast<HELPINFO*>(nullptr));
    return DefNotify(pnmh);
}

LRESULT FwPropPage::OnKillActive(NMHDR* pnmh) { return DefNotify(pnmh); }
LRESULT FwPropPage::OnSetActive(NMHDR* pnmh) { return DefNotify(pnmh); }
LRESULT FwPropPage::OnReset(PSHNOTIFY* pn) { return DefNotify(&pn->hdr); }
LRESULT FwPropPage::OnQueryCancel(NMHDR* pnmh) { return DefNotify(pnmh); }
LRESULT FwPropPage::OnWizBack(NMHDR* pnmh) { return DefNotify(pnmh); }
LRESULT FwPropPage::OnWizNext(NMHDR* pnmh) { return DefNotify(pnmh); }
LRESULT FwPropPage::OnWizFinish(NMHDR* pnmh) { return DefNotify(pnmh); }

UINT CALLBACK FwPropPage::CallBack(HWND, UINT msg, PROPSHEETPAGEA* ppsp)
{
    if (msg != PSPCB_CREATE || !ppsp)
        return 0;
    FwPropPage* pPage = reinterpret_cast<FwPropPage*>(ppsp->lParam);
    FwDlg::pDlgInit = pPage;
    FwDlg::id = pPage ? pPage->uDialogId : 0;
    return 1;
}

void FwPropPage::SetDirty()
{
    SendMessageA(hWndSheet, PSM_CHANGED, reinterpret_cast<WPARAM>(hWnd), 0);
}

void FwPropPage::SetMsgResult(DWORD result)
{
    SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, static_cast<LONG_PTR>(result));
}

void FwPropPage::SetOKText(const char* psz) { ::SetDlgItemTextA(hWndSheet, IDOK, psz); }
void FwPropPage::SetCancelText(const char* psz) { ::SetDlgItemTextA(hWndSheet, IDCANCEL, psz); }
void FwPropPage::CancelToClose() { PostMessageA(hWndSheet, PSM_CANCELTOCLOSE, 0, 0); }

HWND FwPropPage::GetCurPage()
{
    return reinterpret_cast<HWND>(SendMessageA(hWndSheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int FwPropPage::SetCurPage(UINT index)
{
    return static_cast<int>(SendMessageA(hWndSheet, PSM_SETCURSEL, index, 0));
}

void FwPropPage::SimulateCancel()
{
    PostMessageA(hWndSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}
