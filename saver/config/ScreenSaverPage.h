// ScreenSaverPage: the slideshow settings: whether and how often the picture changes,
// the image sets and their order, random order and gradual replacement. Test saves what
// the page shows and starts the screen saver.
#pragma once
#include "config/ImageSetPage.h"
#include "config/NumberField.h"
#include "options/Opts.h"

class ScreenSaverPage : public ImageSetPage {
public:
    Opts* pOpts; // the sheet's options record; not owned
    NumberField seconds;

    ScreenSaverPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl) override;
    LRESULT OnApply(PSHNOTIFY* pn) override;

    // Everything but the check box and Test follows "Change image every".
    void UpdateControls();
    // 1 when the page holds usable values; otherwise it says why and gives 0.
    int CheckPage();
    // What the page shows into the record; the page must have passed CheckPage.
    void ReadPage(Opts& opts);
    // The next slideshow starts its sequence again.
    static void RestartSequence();
};
