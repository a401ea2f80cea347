#include "config/MoveArrows.h"

void MoveArrows::MoveSelected(int up)
{
    if (!pList)
        return;
    int sel = pList->GetCurSel();
    if (pList->CanMove(sel, up))
        pList->MoveItem(sel, up);
}

LRESULT MoveArrows::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_GETDLGCODE:
        // Without this the dialog manager takes the arrow keys to move the focus on.
        return FwCtrl::OnMessage(msg, wParam, lParam) | DLGC_WANTARROWS;
    case WM_KEYDOWN:
        if (wParam == VK_UP || wParam == VK_DOWN) {
            MoveSelected(wParam == VK_UP);
            return 0;
        }
        break;
    }
    return FwCtrl::OnMessage(msg, wParam, lParam);
}
