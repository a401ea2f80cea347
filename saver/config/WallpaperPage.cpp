#include "config/WallpaperPage.h"
#include "resource.h"
#include "config/SettingsUndo.h"

WallpaperPage::WallpaperPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts)
    : ImageSetPage(pSlot, hInst, IDD_WALLPAPER_PAGE, &opts->listWP), pOpts(opts),
      count(IDC_WP_COUNT, IDC_WP_COUNT_SPIN, cWPCountMax)
{
}

LRESULT WallpaperPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    LRESULT result = ImageSetPage::OnInitDialog(wParam, lParam);
    CheckDlgButton(IDC_WP_CHANGE, pOpts->IsOn(OPT_WP_CHANGE) ? BST_CHECKED : BST_UNCHECKED);
    count.Init(*this, pOpts->dwWPChangeCount);
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
    EnableDlgItem(IDC_WP_COUNT_SPIN, on);
    EnableDlgItem(IDC_WP_UNIT, on);
    EnableDlgItem(IDC_RANDOM, on);
    EnableDlgItem(IDC_BLUR_EDGES, on);
    EnableSetControls(on);
}

int WallpaperPage::CheckPage()
{
    int on = IsDlgButtonChecked(IDC_WP_CHANGE) == BST_CHECKED;
    unsigned long value;
    if (on && !count.Read(*this, value))
        return Refuse(IDC_WP_COUNT, "Please enter a whole number from 1 to 999 for the wallpaper interval.");
    return CheckSets(on);
}

void WallpaperPage::ReadPage(Opts& opts)
{
    opts.Set(OPT_WP_CHANGE, IsDlgButtonChecked(IDC_WP_CHANGE) == BST_CHECKED);
    // A disabled field keeps the value it had; it is read only when it can be used.
    count.Read(*this, opts.dwWPChangeCount);
    // No selection is kept as -1.
    opts.dwWPChange = static_cast<unsigned long>(static_cast<long>(cbUnit.GetCurSel()));
    opts.Set(OPT_WP_RANDOM, IsDlgButtonChecked(IDC_RANDOM) == BST_CHECKED);
    opts.dwWPBlurEdges = IsDlgButtonChecked(IDC_BLUR_EDGES) == BST_CHECKED;
    ReadSets(opts.listWP);
}

LRESULT WallpaperPage::OnApply(PSHNOTIFY* pn)
{
    if (!CheckPage())
        return RefuseApply();
    ReadPage(*pOpts);
    return FwPropPage::OnApply(pn);
}

LRESULT WallpaperPage::OnCommand(WORD idCtrl, WORD code, HWND hCtl)
{
    switch (idCtrl) {
    case IDC_WP_CHANGE:
        UpdateControls();
        break;
    case IDC_TEST:
        if (!CheckPage())
            break;
        ReadPage(*pOpts);
        if (pUndo)
            pUndo->BeforeTest();
        pOpts->Store();
        pOpts->SetNextWP();
        break;
    }
    return ImageSetPage::OnCommand(idCtrl, code, hCtl);
}
