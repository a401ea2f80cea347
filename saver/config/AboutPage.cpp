#include "config/AboutPage.h"
#include "resource.h"
#include "base/Launch.h"
#include "config/SheetHelp.h"
#include "config/TextFit.h"

namespace {

// The publisher's page; the query tells the site that the visit came from this page.
const char kPublisherPage[] = "https://www.corvane.example/vantora/?src=vnt_cdrom&ctx=about";
const char kSiteLabel[] = "www.corvane.example";
const char kProductLine[] = "Vantora Screen Saver && Wallpaper Changer";
const char kCopyright[] = "Copyright \xA9 Corvane Software";
const char kVersion[] = "2.0";

} // namespace

AboutPage::AboutPage(PROPSHEETPAGEA* pSlot, HINSTANCE hInst)
    : FwPropPage(pSlot, hInst, IDD_ABOUT_PAGE, PSP_HASHELP)
{
}

// Each text of the template is the format of what it shows.
LRESULT AboutPage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    SetDlgItemTextFmtCtrl(IDC_ABOUT_PRODUCT, kProductLine);
    SetDlgItemTextFmtCtrl(IDC_ABOUT_COPYRIGHT, kCopyright);
    SetDlgItemTextFmtCtrl(IDC_ABOUT_VERSION, kVersion);
    SetDlgItemTextFmtCtrl(IDC_ABOUT_SITE, kSiteLabel);
    FitTextControls(hWnd);
    return FwPropPage::OnInitDialog(wParam, lParam);
}

LRESULT AboutPage::OnCommand(WORD idCtrl, WORD code, HWND hCtl)
{
    if (idCtrl == IDC_ABOUT_SITE)
        OpenHTML(hWnd, kPublisherPage, 1, IDS_VISIT_SITE);
    return FwPropPage::OnCommand(idCtrl, code, hCtl);
}

LRESULT AboutPage::OnHelp(NMHDR*)
{
    OpenReadMe(hWnd);
    return 0;
}
