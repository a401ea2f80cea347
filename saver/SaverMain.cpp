// The program's side of the screen-saver host: start-up, the saver window procedure and
// the configuration dialog procedure.
#include <new>
#include <windows.h>
#include <commctrl.h>
#include "ScreenSaverHost.h"
#include "SlideshowWnd.h"
#include "ActivationContext.h"
#include "config/ConfigDlg.h"
#include "ui/FindScreenSaverWnd.h"
#include "base/Mbcs.h"
#include "base/AppInfo.h"

HINSTANCE g_hInstProgram = nullptr;

static int s_bSaverStarted = 0;
static int s_bConfigStarted = 0;
static int s_bNoShow = 0; // no memory for the slide show object

// One-time start-up shared by the saver and the configuration.
void InitModule()
{
    InitMBCS();
    g_hInstProgram = hMainInstance;
    // From here on positive resource ids and the settings key refer to the program.
    MakeAppInfo(g_hInstProgram);
    // Common controls version 6 come from the program's manifest.
    ActivationContext actx(g_hInstProgram, CREATEPROCESS_MANIFEST_RESOURCE_ID);
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
}

extern "C" LRESULT WINAPI ScreenSaverProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!s_bSaverStarted) {
        s_bSaverStarted = 1;
        InitModule();
        SlideshowWnd* pShow = new (std::nothrow) SlideshowWnd;
        s_bNoShow = !pShow;
        if (pShow) {
            pShow->pfnPrevWndProc = DefScreenSaverProc;
            FwWnd::pWndInit = pShow;
        }
        // A saver window of another process does not stop this one: the host already
        // refuses a second full-screen run, and a preview runs beside a full-screen saver.
        FindScreenSaverWnd();
    }
    // Without memory for the slide show the window still behaves as a blank saver.
    if (s_bNoShow)
        return DefScreenSaverProc(hWnd, msg, wParam, lParam);
    return FwWnd::WndProc(hWnd, msg, wParam, lParam);
}

// Every message of the hidden settings dialog goes to the one ConfigDlg, which runs the
// whole settings sheet inside its initialisation.
extern "C" BOOL WINAPI ScreenSaverConfigureDialog(HWND hDlg, UINT msg, WPARAM wParam, LPARAM lParam)
{
    static ConfigDlg s_dlg;
    if (!s_bConfigStarted) {
        s_bConfigStarted = 1;
        InitModule();
        FwDlg::pDlgInit = &s_dlg;
        FwDlg::id = IDD_SAVER_PARENT;
    }
    return static_cast<BOOL>(FwDlg::ModalProc(hDlg, msg, wParam, lParam));
}

extern "C" BOOL WINAPI RegisterDialogClasses(HANDLE)
{
    return TRUE;
}
