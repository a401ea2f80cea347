// ConfigDlg: the hidden dialog of the settings run. Its initialisation is the whole run:
// stop the wallpaper changer, load the options, show the three-page sheet, store the
// options after OK (after Cancel, undo what a Test changed), restart the changer when it is on, offer to make this the active
// screen saver, and end with 1 after OK or 2 after Cancel.
#pragma once
#include "options/Opts.h"
#include "ui/FwDlg.h"

class SettingsUndo;

class ConfigDlg : public FwDlg {
public:
    ConfigDlg() : FwDlg(0) {}
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;

private:
    // Runs the sheet on the options; 1 when the user pressed OK. The pages tell undo
    // before a Test changes anything.
    int RunSheet(Opts& opts, SettingsUndo& undo);
};
