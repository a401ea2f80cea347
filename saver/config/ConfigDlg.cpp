#include "config/ConfigDlg.h"
#include "resource.h"
#include "base/AppInfo.h"
#include "config/CheckActiveSaver.h"
#include "config/AboutPage.h"
#include "config/ConfigSheet.h"
#include "config/ScreenSaverPage.h"
#include "config/SettingsUndo.h"
#include "config/WallpaperPage.h"
#include "ui/FwIcon.h"
#include "wallpaper/WPChanger.h"

LRESULT ConfigDlg::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    FwDlg::OnInitDialog(wParam, lParam);
    // The changer must not act on settings that are being edited.
    RunWPChanger(hWnd, 0);
    CenterWindow(hWnd);
    FwIconForDlg icon;
    icon.Init(hWnd, IDI_SAVER, 0);

    Opts opts;
    opts.Load();
    opts.UpdateImageLists();
    int ok;
    {
        SettingsUndo undo;
        ok = RunSheet(opts, undo);
        if (ok) {
            opts.Store();
        } else {
            // Cancel forgets everything, what a Test stored included.
            undo.Restore();
            opts.Load();
        }
    }
    if (opts.IsOn(OPT_WP_CHANGE))
        RunWPChanger(hWnd, 1);
    CheckActiveSaver(hWnd);
    EndDialog(ok ? 1 : 2);
    return 0;
}

int ConfigDlg::RunSheet(Opts& opts, SettingsUndo& undo)
{
    // The program's module: the host made it the application identity's.
    HINSTANCE hProgram = AppInfo::Data().hInstance;
    ConfigSheet sheet(hWnd, hProgram, 3, "Vantora, Calder",
                      PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_HASHELP, IDI_SAVER, 0, 1);
    AboutPage about(sheet.GetPageBuf(0), hProgram);
    sheet.AddPage(0, &about);
    ScreenSaverPage saver(sheet.GetPageBuf(1), hProgram, &opts);
    saver.pUndo = &undo;
    sheet.AddPage(1, &saver);
    WallpaperPage wallpaper(sheet.GetPageBuf(2), hProgram, &opts);
    wallpaper.pUndo = &undo;
    sheet.AddPage(2, &wallpaper);
    return sheet.Run(0);
}
