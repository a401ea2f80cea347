#include "ui/FwIcon.h"
#include "base/AppInfo.h"

FwIcon::FwIcon() : hIcon(nullptr) {}

FwIcon::~FwIcon()
{
    if (hIcon)
        DestroyIcon(hIcon);
}

int FwIcon::Load(int id, int bSmall, int systemSize)
{
    HINSTANCE hInst = nullptr;
    AppInfo::ConvertResourceId(id, hInst);
    int cx = bSmall ? 16 : 32, cy = cx;
    if (systemSize) {
        cx = GetSystemMetrics(bSmall ? SM_CXSMICON : SM_CXICON);
        cy = GetSystemMetrics(bSmall ? SM_CYSMICON : SM_CYICON);
    }
    if (hIcon)
        DestroyIcon(hIcon);
    hIcon = static_cast<HICON>(LoadImageA(hInst, MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, 0));
    return hIcon != nullptr;
}

int FwIconForDlg::Init(HWND hDlg, int id, int bSmall)
{
    if (!Load(id, bSmall, 1))
        return 0;
    SendMessageA(hDlg, WM_SETICON, bSmall ? ICON_SMALL : ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    return 1;
}
