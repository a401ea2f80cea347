#include "config/ScreenSaverPage.h"
#include "resource.h"
#include "base/AppInfo.h"
#include "base/Launch.h"
#include "base/RegKey.h"

ScreenSaverPage::ScreenSaverPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts)
    : ImageSetPage(pSlot, hInst, IDD_SCREENSAVER_PAGE, &opts->listSS), pOpts(opts)
{
}

LRESULT ScreenSaverPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ImageSetPage::OnInitDialog(wParam, lParam);
    CheckDlgButton(IDC_SS_CHANGE, pOpts->IsOn(OPT_SS_CHANGE) ? BST_CHECKED : BST_UNCHECKED);
    // The sheet itself comes to the front: the end of the owner chain is the hidden
    // settings dialog or the display settings, and activating either would take the
    // keyboard away from the sheet.
    SetForegroundWindow(GetAncestor(hWnd, GA_ROOT));
    SetDlgItemInt(IDC_SS_SECONDS, pOpts->dwTimeOut, TRUE);
    CheckDlgButton(IDC_RANDOM, pOpts->IsOn(OPT_SS_RANDOM) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_SS_GRADUAL, pOpts->IsOn(OPT_SS_GRADUAL) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_BLUR_EDGES, pOpts->dwSSBlurEdges ? BST_CHECKED : BST_UNCHECKED);
    UpdateControls();
    return result;
}

void ScreenSaverPage::UpdateControls()
{
    int on = IsDlgButtonChecked(IDC_SS_CHANGE) == BST_CHECKED;
    EnableDlgItem(IDC_SS_SECONDS, on);
    EnableDlgItem(IDC_SS_GRADUAL, on);
    EnableDlgItem(IDC_RANDOM, on);
    EnableSetControls(on);
}

void ScreenSaverPage::SaveControls()
{
    pOpts->Set(OPT_SS_CHANGE, IsDlgButtonChecked(IDC_SS_CHANGE) == BST_CHECKED);
    // Not a number reads as 0; the slideshow copes with any value.
    pOpts->dwTimeOut = static_cast<int>(GetDlgItemInt(IDC_SS_SECONDS, nullptr, TRUE));
    // The next slideshow starts its sequence again.
    RegKey key(AppInfo::Data().pszRootKey, RegKey::opWrite);
    if (key.IsReady()) {
        key.DelValue(Opts::pszSSLastPicInd);
        key.DelValue(Opts::pszSSLastSetInd);
    }
    pOpts->Set(OPT_SS_RANDOM, IsDlgButtonChecked(IDC_RANDOM) == BST_CHECKED);
    pOpts->Set(OPT_SS_GRADUAL, IsDlgButtonChecked(IDC_SS_GRADUAL) == BST_CHECKED);
    pOpts->dwSSBlurEdges = IsDlgButtonChecked(IDC_BLUR_EDGES) == BST_CHECKED;
}

LRESULT ScreenSaverPage::OnApply(PSHNOTIFY* pn)
{
    SaveControls();
    return ImageSetPage::OnApply(pn);
}

LRESULT ScreenSaverPage::OnCommand(WORD idCtrl, WORD code, HWND hCtl)
{
    switch (idCtrl) {
    case IDC_SS_CHANGE:
        UpdateControls();
        break;
    case IDC_TEST:
        SaveControls();
        pOpts->Store();
        RunMyself("/s");
        break;
    }
    return ImageSetPage::OnCommand(idCtrl, code, hCtl);
}
