#include "config/ScreenSaverPage.h"
#include "resource.h"
#include "base/AppInfo.h"
#include "base/Launch.h"
#include "base/RegKey.h"
#include "config/SettingsUndo.h"

ScreenSaverPage::ScreenSaverPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts)
    : ImageSetPage(pSlot, hInst, IDD_SCREENSAVER_PAGE, &opts->listSS), pOpts(opts),
      seconds(IDC_SS_SECONDS, IDC_SS_SECONDS_SPIN, cSecondsMax)
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
    seconds.Init(*this, pOpts->dwTimeOut);
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
    EnableDlgItem(IDC_SS_SECONDS_SPIN, on);
    EnableDlgItem(IDC_SS_GRADUAL, on);
    EnableDlgItem(IDC_RANDOM, on);
    EnableSetControls(on);
}

int ScreenSaverPage::CheckPage()
{
    int on = IsDlgButtonChecked(IDC_SS_CHANGE) == BST_CHECKED;
    unsigned long value;
    if (on && !seconds.Read(*this, value))
        return Refuse(IDC_SS_SECONDS, "Please enter a whole number of seconds from 1 to 86400.");
    return CheckSets(on);
}

void ScreenSaverPage::ReadPage(Opts& opts)
{
    opts.Set(OPT_SS_CHANGE, IsDlgButtonChecked(IDC_SS_CHANGE) == BST_CHECKED);
    // A disabled field keeps the value it had; it is read only when it can be used.
    seconds.Read(*this, opts.dwTimeOut);
    opts.Set(OPT_SS_RANDOM, IsDlgButtonChecked(IDC_RANDOM) == BST_CHECKED);
    opts.Set(OPT_SS_GRADUAL, IsDlgButtonChecked(IDC_SS_GRADUAL) == BST_CHECKED);
    opts.dwSSBlurEdges = IsDlgButtonChecked(IDC_BLUR_EDGES) == BST_CHECKED;
    ReadSets(opts.listSS);
}

void ScreenSaverPage::RestartSequence()
{
    RegKey key(AppInfo::Data().pszRootKey, RegKey::opWrite);
    if (key.IsReady()) {
        key.DelValue(Opts::pszSSLastPicInd);
        key.DelValue(Opts::pszSSLastSetInd);
    }
}

LRESULT ScreenSaverPage::OnApply(PSHNOTIFY* pn)
{
    if (!CheckPage())
        return RefuseApply();
    ReadPage(*pOpts);
    RestartSequence();
    return FwPropPage::OnApply(pn);
}

LRESULT ScreenSaverPage::OnCommand(WORD idCtrl, WORD code, HWND hCtl)
{
    switch (idCtrl) {
    case IDC_SS_CHANGE:
        UpdateControls();
        break;
    case IDC_TEST:
        if (!CheckPage())
            break;
        ReadPage(*pOpts);
        if (pUndo)
            pUndo->BeforeTest();
        RestartSequence();
        pOpts->Store();
        RunMyself("/s");
        break;
    }
    return ImageSetPage::OnCommand(idCtrl, code, hCtl);
}
