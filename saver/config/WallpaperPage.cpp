#include "config/WallpaperPage.h"
#include "resource.h"

WallpaperPage::WallpaperPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts)
    : ImageSetPage(pSlot, hInst, IDD_WALLPAPER_PAGE, &opts->listWP), pOpts(opts)
{
}

LRESULT WallpaperPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ImageSetPage::OnInitDialog(wParam, lParam);
    CheckDlgButton(IDC_WP_CHANGE, pOpts->IsOn(OPT_WP_CHANGE) ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(IDC_WP_COUNT, pOpts->dwWPChangeCount, TRUE);
    cbUnit.Init(this, IDC_WP_UNIT, nullptr, 0);
    // The unit's index is what the record keeps: 0 minutes, 1 hours, 2 days.
    cbUnit.AddStr("minute(s)");
    cbUnit.AddStr("hour(s)");
    cbUnit.AddStr("day(s)");
    // Any other stored value selects nothing (CB_SETCURSEL refuses it).
    cbUnit.SetCurSel(pOpts->dwWPChange);
    CheckDlgButton(IDC_RANDOM, pOpts->IsOn(OPT_WP_RANDOM) ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_BLUR_EDGES, pOpts->dwWPBlurEdges ? BST_CHECKED : BST_UNCHECKED);
    UpdateControls();
    return result;
}

void WallpaperPage::UpdateControls()
{
    int on = IsDlgButtonChecked(IDC_WP_CHANGE) == BST_CHECKED;
    EnableDlgItem(IDC_WP_COUNT, on);
    EnableDlgItem(IDC_WP_UNIT, on);
    EnableDlgItem(IDC_RANDOM, on);
    EnableDlgItem(IDC_BLUR_EDGES, on);
    EnableSetControls(on);
}

void WallpaperPage::SaveControls()
{
    pOpts->Set(OPT_WP_CHANGE, IsDlgButtonChecked(IDC_WP_CHANGE) == BST_CHECKED);
    // Not a number reads as 0; the changer takes 0 as 1.
    pOpts->dwWPChangeCount = static_cast<int>(GetDlgItemInt(IDC_WP_COUNT, nullptr, TRUE));
    // No selection is kept as -1.
    pOpts->dwWPChange = static_cast<unsigned long>(static_cast<long>(cbUnit.GetCurSel()));
    pOpts->Set(OPT_WP_RANDOM, IsDlgButtonChecked(IDC_RANDOM) == BST_CHECKED);
    pOpts->dwWPBlurEdges = IsDlgButtonChecked(IDC_BLUR_EDGES) == BST_CHECKED;
}

LRESULT WallpaperPage::OnApply(PSHNOTIFY* pn)
{
    SaveControls();
    return ImageSetPage::OnApply(pn);
}

LRESULT WallpaperPage::OnCommand(WORD idCtrl, WORD code, HWND hCtl)
{
    switch (idCtrl) {
    case IDC_WP_CHANGE:
        UpdateControls();
        break;
    case IDC_TEST:
        SaveControls();
        pOpts->Store();
        pOpts->SetNextWP();
        break;
    }
    return ImageSetPage::OnCommand(idCtrl, code, hCtl);
}
