// ScreenSaverPage: the slideshow settings: whether and how often the picture changes,
// the image sets and their order, random order and gradual replacement. Test saves them
// and starts the screen saver.
#pragma once
#include "config/ImageSetPage.h"
#include "options/Opts.h"

class ScreenSaverPage : public ImageSetPage {
public:
    Opts* pOpts; // the sheet's options record; not owned

    ScreenSaverPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst, Opts* opts);

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnCommand(WORD idCtrl, WORD code, HWND hCtl) override;
    LRESULT OnApply(PSHNOTIFY* pn) override;

    // Everything but the check box and Test follows "Change image every".
    void UpdateControls();
    // The controls into the record; restarts the slideshow's sequence.
    void SaveControls();
};
