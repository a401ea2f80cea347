#include "ui/FwDlgMain.h"
#include "base/AppInfo.h"
#include "base/Module.h"
#include "base/RegKey.h"
#include "base/ResStr.h"
#include "base/WinUtil.h"
#include "res/VntRes.h"

FwDlgMain::FwDlgMain(HINSTANCE hInst, int idIcon)
    : FwDlg(0), hIcon(LoadIconA(hInst, MAKEINTRESOURCEA(idIcon))), hIconSmall(nullptr)
{
    // Shared icons: the system frees them with the module.
    hIconSmall = static_cast<HICON>(LoadImageA(hInst, MAKEINTRESOURCEA(idIcon), IMAGE_ICON,
                                                GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!hIconSmall)
        hIconSmall = hIcon;
}

LRESULT FwDlgMain::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    FwDlg::OnInitDialog(wParam, lParam);
    HMENU hMenu = GetSystemMenu(hWnd, FALSE);
    if (hMenu) {
        ResStr about(-IDS_ABOUT_MENU);
        AppendMenuA(hMenu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(hMenu, MF_STRING, FWDLG_IDM_ABOUT, about);
    }
    SetIcon(hIcon, 2);
    SetIcon(hIconSmall, 1);
    RestorePosition();
    return 1;
}

LRESULT FwDlgMain::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(hIcon);
    case WM_DESTROY:
        StorePosition();
        break;
    case WM_PAINT:
        return OnPaint(wParam, lParam);
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == FWDLG_IDM_ABOUT)
            return OnAbout();
        break;
    }
    return FwDlg::OnMessage(msg, wParam, lParam);
}

LRESULT FwDlgMain::OnPaint(WPARAM wParam, LPARAM lParam)
{
    if (!IsIconic(hWnd))
        return FwDlg::OnMessage(WM_PAINT, wParam, lParam);
    PAINTSTRUCT ps;
    HDC hdc = BeginPaint(hWnd, &ps);
    if (hdc) {
        SendMessageA(hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hdc), 0);
        RECT rc;
        GetClientRect(hWnd, &rc);
        int x = (rc.right - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (rc.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(hdc, x, y, hIcon);
    }
    EndPaint(hWnd, &ps);
    return 0;
}

LRESULT FwDlgMain::OnAbout()
{
    MessageBoxA(hWnd, "TODO...", "About", MB_OK);
    return 0;
}

void FwDlgMain::StorePosition()
{
    RECT rc;
    RegKey key(AppInfo::Data().pszRootKey, RegKey::opWrite);
    if (!key.IsReady() || !GetWindowRect(hWnd, &rc))
        return;
    key.PutDword("posLeft", static_cast<unsigned long>(rc.left));
    key.PutDword("posTop", static_cast<unsigned long>(rc.top));
}

void FwDlgMain::RestorePosition()
{
    RECT rc;
    RegKey key(AppInfo::Data().pszRootKey, RegKey::opRead);
    if (!key.IsReady() || !GetWindowRect(hWnd, &rc))
        return;
    int left = static_cast<int>(key.GetDword("posLeft", static_cast<unsigned long>(rc.left)));
    int top = static_cast<int>(key.GetDword("posTop", static_cast<unsigned long>(rc.top)));
    // At least half of the window stays on the screen.
    int cxScreen = GetSystemMetrics(SM_CXSCREEN), cyScreen = GetSystemMetrics(SM_CYSCREEN);
    int halfX = (rc.right - rc.left) / 2, halfY = (rc.bottom - rc.top) / 2;
    if (left + halfX > cxScreen)
        left = cxScreen - halfX;
    else if (left + halfX < 0)
        left = -halfX;
    if (top + halfY > cyScreen)
        top = cyScreen - halfY;
    if (top < 0)
        top = 0;
    SetWndOrigin(hWnd, left, top, 0);
}
