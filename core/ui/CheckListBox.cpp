#include "ui/CheckListBox.h"
#include <string.h>
#include <new>
#include "base/Mbcs.h"
#include "base/Module.h"
#include "base/TextUtil.h"
#include "base/FwDC.h"
#include "base/DrawUtil.h"

namespace {

const int cxCell = 16;     // one cell of the strip, and the check-box column
const int cxTextGap = 2;   // between highlight and text
const int cxIconGap = 4;   // between icon and highlight

// A record with its own copy of text; null when memory is short.
CheckListItem* NewRecord(const char* text, HICON hIcon, DWORD data)
{
    CheckListItem* rec = new (std::nothrow) CheckListItem();
    if (!rec)
        return nullptr;
    rec->pszText = CopyToHeap(text);
    if (!rec->pszText) {
        delete rec;
        return nullptr;
    }
    rec->bEnabled = 1;
    rec->hIcon = hIcon;
    rec->dwData = data;
    return rec;
}

void FreeRecord(CheckListItem* rec)
{
    if (rec)
        delete[] rec->pszText;
    delete rec;
}

} // namespace

CheckListBox::CheckListBox(HINSTANCE hInst, UINT idBitmap)
    : clrText(0), clrTextSel(0), clrTextGray(0), clrBack(0), clrBackSel(0), clrFocus(0),
      hPenFocus(nullptr), hBrBack(nullptr), hBrBackSel(nullptr), hBmpCheck(nullptr), iFocusItem(-2)
{
    SetupColors(1);
    hBmpCheck = static_cast<HBITMAP>(LoadImageA(hInst ? hInst : GetLibraryModule(), MAKEINTRESOURCEA(idBitmap),
                                                IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT));
}

CheckListBox::~CheckListBox()
{
    SetupColors(0);
    if (hBmpCheck)
        DeleteObject(hBmpCheck);
}

void CheckListBox::SetupColors(int create)
{
    if (create) {
        clrText = GetSysColor(COLOR_WINDOWTEXT);
        clrTextSel = GetSysColor(COLOR_HIGHLIGHTTEXT);
        clrTextGray = GetSysColor(COLOR_GRAYTEXT);
        clrBack = GetSysColor(COLOR_WINDOW);
        clrBackSel = GetSysColor(COLOR_HIGHLIGHT);
        clrFocus = GetSysColor(COLOR_HIGHLIGHTTEXT);
        hPenFocus = CreatePen(PS_SOLID, 0, clrFocus);
        hBrBack = CreateSolidBrush(clrBack);
        hBrBackSel = CreateSolidBrush(clrBackSel);
        return;
    }
    if (hPenFocus)
        DeleteObject(hPenFocus);
    if (hBrBack)
        DeleteObject(hBrBack);
    if (hBrBackSel)
        DeleteObject(hBrBackSel);
    hPenFocus = nullptr;
    hBrBack = hBrBackSel = nullptr;
}

LRESULT CheckListBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_DESTROY:
        // Every entry leaves through WM_DELETEITEM, which frees its record.
        SendMsg(LB_RESETCONTENT);
        break;
    case WM_CHAR:
        // Typed letters never move the selection.
        if ((dwFlags & CLB_AUTOCHECK) && wParam == ' ')
            DoAutoCheck(GetCurSel());
        return 0;
    case WM_LBUTTONUP:
        if (dwFlags & CLB_AUTOCHECK) {
            int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
            int index = GetItemFromPoint(x, y, 1);
            if (HitTest(index, x, y) == 1)
                DoAutoCheck(index);
        }
        break;
    }
    return FwListBox::OnMessage(msg, wParam, lParam);
}

// A list box from a dialog template measured its items before we were bound, at the
// height of its font, which cuts the 16-pixel boxes: the rows grow to the measured height.
void CheckListBox::OnInit()
{
    int cy = GetSystemMetrics(SM_CYSMICON) + 2;
    if (SendMsg(LB_GETITEMHEIGHT) < cy)
        SendMsg(LB_SETITEMHEIGHT, 0, cy);
    FitWholeRows();
}

// A list box that asks for integral height was fitted to the old row height when it was
// created: it is cut down again to whole rows, so no row shows only in part.
void CheckListBox::FitWholeRows()
{
    int cy = static_cast<int>(SendMsg(LB_GETITEMHEIGHT));
    RECT client, frame;
    if ((GetWindowLongA(hWnd, GWL_STYLE) & LBS_NOINTEGRALHEIGHT) || cy <= 0 || !GetClientRect(hWnd, &client) ||
        !GetWindowRect(hWnd, &frame))
        return;
    int extra = client.bottom % cy;
    if (extra && client.bottom > cy)
        SetWindowPos(hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top - extra,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CheckListItem* CheckListBox::GetRecord(int index)
{
    if (index < 0)
        return nullptr;
    LRESULT data = SendMsg(LB_GETITEMDATA, index);
    return data == LB_ERR ? nullptr : reinterpret_cast<CheckListItem*>(data);
}

int CheckListBox::GetBmpIndex(int state, int enabled)
{
    switch (state) {
    case 0:
        if (!(dwFlags & CLB_CROSS_UNCHECKED))
            return enabled ? 1 : 0;
        return !enabled ? 7 : (dwFlags & CLB_COLOR) ? 9 : 8;
    case 1:
        if (!enabled)
            return (dwFlags & CLB_CROSS) ? 7 : 4;
        if (dwFlags & CLB_CROSS)
            return (dwFlags & CLB_COLOR) ? 9 : 8;
        return (dwFlags & CLB_COLOR) ? 6 : 5;
    case 2:
        if (dwFlags & CLB_GRAY_INDETERMINATE)
            return (dwFlags & CLB_CROSS) ? 7 : 4;
        return enabled ? 3 : 2;
    default:
        return 0;
    }
}

void CheckListBox::OnDrawItem(DRAWITEMSTRUCT* pdis)
{
    if (!pdis)
        return;
    FwDC dc(pdis->hDC, 1);
    int count = GetCount();
    int i = static_cast<int>(pdis->itemID);
    bool valid = i >= 0 && i < count;
    CheckListItem* rec = valid ? GetRecord(i) : nullptr;
    RECT rc = pdis->rcItem;
    const int cxIcon = GetSystemMetrics(SM_CXSMICON);
    const char* text = rec ? rec->pszText : "";
    SIZE size = {0, 0};
    if (valid) {
        GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
        rc.left += cxCell;
        if (dwFlags & CLB_ICONS)
            rc.left += cxIcon + cxIconGap;
        int extent = static_cast<int>(SendMsg(LB_GETHORIZONTALEXTENT));
        if (size.cx > extent - 10)
            SendMsg(LB_SETHORIZONTALEXTENT, size.cx + 10);
    }
    bool fill = valid && (pdis->itemAction & (ODA_DRAWENTIRE | ODA_SELECT));
    if (fill) {
        // Filling the item wipes a focus rectangle drawn on it.
        if (iFocusItem == i)
            iFocusItem = -1;
        int enabled = IsWindowEnabled(hWnd) && rec && rec->bEnabled;
        bool selected = (pdis->itemState & ODS_SELECTED) != 0;
        SetTextColor(dc, !enabled ? clrTextGray : selected ? clrTextSel : clrText);
        FillRect(dc, &rc, selected ? hBrBackSel : hBrBack);
        DrawBitmap(dc, hBmpCheck, pdis->rcItem.left, pdis->rcItem.top,
                   GetBmpIndex(rec ? rec->nCheck : 0, enabled) * cxCell, 0, cxCell, cxCell);
        if ((dwFlags & CLB_ICONS) && rec && rec->hIcon)
            DrawIconEx(dc, pdis->rcItem.left + cxCell + cxTextGap, pdis->rcItem.top, rec->hIcon, cxIcon,
                       GetSystemMetrics(SM_CYSMICON), 0, nullptr, DI_NORMAL);
        RECT rcText = rc;
        rcText.left += cxTextGap;
        rcText.right = pdis->rcItem.right;
        int avail = rcText.right - rcText.left;
        if (size.cx > avail)
            text = FitText(text, size.cx, avail);
        SetBkMode(dc, TRANSPARENT);
        DrawTextA(dc, text, -1, &rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
    // The focus rectangle inverts: it is drawn only where it is not, erased only where it is.
    if ((pdis->itemAction & ODA_FOCUS) || fill) {
        bool focus = (pdis->itemState & ODS_FOCUS) != 0;
        if (focus != (iFocusItem == i))
            DrawFocusRect(dc, &rc);
        if (focus)
            iFocusItem = i;
        else if (iFocusItem == i)
            iFocusItem = -2;
    }
}

void CheckListBox::OnMeasureItem(MEASUREITEMSTRUCT* pmis)
{
    if (!pmis)
        return;
    RECT rc;
    GetClientRect(hWnd, &rc);
    pmis->itemWidth = rc.right;
    pmis->itemHeight = GetSystemMetrics(SM_CYSMICON) + 2;
}

void CheckListBox::OnDeleteItem(DELETEITEMSTRUCT* pdis)
{
    CheckListItem* rec = pdis ? reinterpret_cast<CheckListItem*>(pdis->itemData) : nullptr;
    if (!rec)
        return;
    OnDeleteItem(rec->dwData);
    FreeRecord(rec);
}

void CheckListBox::OnDeleteItem(DWORD) {}

int CheckListBox::InsertRecord(int index, CheckListItem* rec)
{
    if (!rec)
        return LB_ERRSPACE;
    LRESULT r = index < 0 ? SendMsg(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rec))
                          : SendMsg(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(rec));
    if (r == LB_ERR || r == LB_ERRSPACE)
        FreeRecord(rec);
    return static_cast<int>(r);
}

int CheckListBox::AddItem(const char* psz, HICON hIcon, DWORD data)
{
    return InsertRecord(-1, NewRecord(psz, hIcon, data));
}

int CheckListBox::InsertItem(int index, const char* psz, HICON hIcon, DWORD data)
{
    if (index < 0)
        return -1;
    return InsertRecord(index, NewRecord(psz, hIcon, data));
}

DWORD CheckListBox::GetItem(int index, char* buf)
{
    CheckListItem* rec = GetRecord(index);
    if (!rec)
        return 0;
    if (buf)
        strcpy(buf, rec->pszText);
    return rec->dwData;
}

int CheckListBox::SetItemText(int index, const char* psz)
{
    CheckListItem* rec = GetRecord(index);
    if (!rec)
        return 0;
    size_t n = psz ? strlen(psz) : 0;
    char* text = new (std::nothrow) char[n + 1];
    if (!text)
        return 0;
    memcpy(text, psz ? psz : "", n);
    text[n] = '\0';
    delete[] rec->pszText;
    rec->pszText = text;
    RedrawItem(index);
    return 1;
}

int CheckListBox::FindItem(const char* psz, int ignoreCase, int after)
{
    int count = GetCount();
    for (int i = after < 0 ? 0 : after + 1; i < count; i++) {
        CheckListItem* rec = GetRecord(i);
        if (rec && psz && StrCompare(rec->pszText, psz, ignoreCase) == 0)
            return i;
    }
    return -1;
}

// The record itself moves: text, icon, value and states stay, and the value is not handed
// to the deletion hook, as the item is not being deleted.
void CheckListBox::MoveItem(int index, int up)
{
    if (index < 0 || !CanMove(static_cast<UINT>(index), up))
        return;
    CheckListItem* rec = GetRecord(index);
    SendMsg(LB_SETITEMDATA, index, 0);
    DelStr(index);
    int to = up ? index - 1 : index + 1;
    if (InsertRecord(to, rec) >= 0)
        SetCurSel(to);
}

HICON CheckListBox::GetItemIcon(int index)
{
    CheckListItem* rec = GetRecord(index);
    return rec ? rec->hIcon : nullptr;
}

void CheckListBox::SetCheck(int index, int state)
{
    CheckListItem* rec = GetRecord(index);
    if (rec && rec->nCheck != state) {
        rec->nCheck = state;
        RedrawItem(index);
    }
}

int CheckListBox::GetCheck(int index)
{
    CheckListItem* rec = GetRecord(index);
    return rec ? rec->nCheck : 0;
}

void CheckListBox::EnableItem(int index, int enable)
{
    CheckListItem* rec = GetRecord(index);
    if (rec && rec->bEnabled != enable) {
        rec->bEnabled = enable;
        RedrawItem(index);
    }
}

int CheckListBox::IsItemEnabled(int index)
{
    CheckListItem* rec = GetRecord(index);
    return rec ? rec->bEnabled : 0;
}

int CheckListBox::HitTest(int index, int x, int y)
{
    RECT rc;
    POINT pt = {x, y};
    if (index < 0 || !GetItemRect(index, &rc) || !PtInRect(&rc, pt))
        return 0;
    if (x <= cxCell)
        return 1;
    if ((dwFlags & CLB_ICONS) && x <= cxCell + GetSystemMetrics(SM_CXSMICON) + cxIconGap)
        return 2;
    return 3;
}

void CheckListBox::DoAutoCheck(int index)
{
    CheckListItem* rec = GetRecord(index);
    if (!rec || !rec->bEnabled)
        return;
    if (rec->nCheck == 0)
        rec->nCheck = 1;
    else if (rec->nCheck == 1)
        rec->nCheck = (dwFlags & CLB_3STATE) ? 2 : 0;
    else
        rec->nCheck = 0;
    RedrawItem(index);
}
