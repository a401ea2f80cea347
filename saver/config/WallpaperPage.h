// WallpaperPage: the wallpaper changer's settings: whether it runs, its interval as a
// count and a unit, the image sets and their order, and random order. Test saves what the
// page shows and puts the next picture on the desktop at once.
#pragma once
#include "config/ImageSetPage.h"
#include "config/NumberField.h"
#include "options/Opts.h"
#include "ui/FwCombo.h"

class WallpaperPage : public ImageSetPage {
public:
    Opts* pOpts;    // the sheet's options record; not owned
    FwCombo cbUnit; // item 1013: minute(s), hour(s), day(s)
    NumberField count;

    WallpaperPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl) override;
    LRESULT OnApply(PSHNOTIFY* pn) override;

    // Everything but the check box and Test follows "Change image every".
    void UpdateControls();
    // 1 when the page holds usable values; otherwise it says why and gives 0.
    int CheckPage();
    // What the page shows into the record; the page must have passed CheckPage.
    void ReadPage(Opts& opts);
};
