// WallpaperPage: the wallpaper changer's settings: whether it runs, its interval as a
// count and a unit, the image sets and their order, and random order. Test saves them
// and puts the next picture on the desktop at once.
#pragma once
#include "config/ImageSetPage.h"
#include "options/Opts.h"
#include "ui/FwCombo.h"

class WallpaperPage : public ImageSetPage {
public:
    Opts* pOpts;   // the sheet's options record; not owned
    FwCombo cbUnit; // item 1013: minute(s), hour(s), day(s)

    WallpaperPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl) override;
    LRESULT OnApply(PSHNOTIFY* pn) override;

    // Everything but the check box and Test follows "Change image every".
    void UpdateControls();
    // The controls into the record; the wallpaper's position stays.
    void SaveControls();
};
