#include "ui/FwCtrl.h"
#include "base/Path.h"
#include "base/Mbcs.h"
#include "ui/FwDlg.h"

FwCtrl::FwCtrl() : pDlg(nullptr), uID(0), pszText(nullptr), dwFlags(0) {}

FwCtrl::~FwCtrl() {}

LRESULT FwCtrl::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        LRESULT result = FwWnd::OnMessage(msg, wParam, lParam);
        Unsubclass();
        return result;
    }
    if (msg == WM_DROPFILES) {
        // The drop is ours to release; the control's own procedure never sees it.
        HDROP hDrop = reinterpret_cast<HDROP>(wParam);
        OnDropFiles(hDrop);
        if (hDrop)
            DragFinish(hDrop);
        return 0;
    }
    return FwWnd::OnMessage(msg, wParam, lParam);
}

void FwCtrl::OnInit() {}
void FwCtrl::OnOK() { Store(); }
int FwCtrl::OnCommand(WORD, long*) { return 0; }
long FwCtrl::OnNotify(NMHDR*, long*) { return 0; }
void FwCtrl::OnDrawItem(DRAWITEMSTRUCT*) {}
void FwCtrl::OnMeasureItem(MEASUREITEMSTRUCT*) {}
void FwCtrl::OnDeleteItem(DELETEITEMSTRUCT*) {}
void FwCtrl::Store() {}
void FwCtrl::Load() {}

int FwCtrl::Init(FwDlg* pDialog, UINT idCtrl, const char* text, DWORD flags)
{
    if (pDlg || !pDialog)
        return 0;
    pDlg = pDialog;
    uID = idCtrl;
    pszText = text;
    dwFlags = flags;
    Subclass(pDialog->GetDlgItem(idCtrl));
    pDialog->AddCtrl(this);
    OnInit();
    return 1;
}

void FwCtrl::OnDropFiles(HDROP hDrop)
{
    char path[520];
    if (!hDrop || DragQueryFileA(hDrop, 0xFFFFFFFF, nullptr, 0) == 0)
        return;
    if (!DragQueryFileA(hDrop, 0, path, sizeof(path)))
        return;
    path[sizeof(path) - 1] = '\0';
    DosPathToShellPath(path);
    const char* text = nullptr;
    if (dwFlags & FWCTRL_DROP_NAME) {
        text = FindNameExt(path);
    } else if (dwFlags & FWCTRL_DROP_FOLDER) {
        if (!FolderExists(path)) {
            StripFileName(path);
            RemoveBackSlash(path);
        }
        text = path;
    } else if ((dwFlags & FWCTRL_DROP_FILE) && FileExists(path)) {
        text = path;
    } else if (dwFlags & FWCTRL_DROP_ANY) {
        text = path;
    }
    if (text)
        SetText(text);
}
