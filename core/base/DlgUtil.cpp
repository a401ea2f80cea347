#include "base/DlgUtil.h"
#include <commctrl.h>
#include "base/WinUtil.h"

int MoveDlgItem(HWND dlg, int id, int byX, int byY)
{
    HWND item = GetDlgItem(dlg, id);
    if (!item || !OffsetWnd(item, byX, byY))
        return 0;
    InvalidateRect(item, nullptr, TRUE);
    return 1;
}

int ResizeDlgItem(HWND dlg, int id, int byX, int byY)
{
    HWND item = GetDlgItem(dlg, id);
    if (!item || !ResizeWnd(item, byX, byY))
        return 0;
    InvalidateRect(item, nullptr, TRUE);
    return 1;
}

int EnableDlgItem(HWND dlg, int id, int on)
{
    HWND item = GetDlgItem(dlg, id);
    if (!item)
        return 0;
    EnableWindow(item, on);
    return 1;
}

int ShowDlgItem(HWND dlg, int id, int on)
{
    HWND item = GetDlgItem(dlg, id);
    if (!item)
        return 0;
    ShowWindow(item, on ? SW_SHOW : SW_HIDE);
    return 1;
}

int SetDlgItemFocus(HWND dlg, int id)
{
    HWND item = GetDlgItem(dlg, id);
    if (!item)
        return 0;
    SetFocus(item);
    return 1;
}

LRESULT SendDlgItemMsg(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam)
{
    HWND item = GetDlgItem(dlg, id);
    return item ? SendMessageA(item, msg, wParam, lParam) : 0;
}

int GetDlgDefBtnID(HWND dlg)
{
    LRESULT r = SendMessageA(dlg, DM_GETDEFID, 0, 0);
    return HIWORD(r) == DC_HASDEFID ? LOWORD(r) : 0;
}

void SetDlgDefBtnID(HWND dlg, int id)
{
    int old = GetDlgDefBtnID(dlg);
    if (old == id)
        return;
    if (old)
        SendDlgItemMsg(dlg, old, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    SendMessageA(dlg, DM_SETDEFID, id, 0);
}

void SetDlgItemSpinRange(HWND dlg, int id, unsigned lower, unsigned upper)
{
    SendDlgItemMsg(dlg, id, UDM_SETRANGE, 0, MAKELPARAM(upper, lower));
}

int EditCtrl_GetLineSize(HWND edit, unsigned line)
{
    LRESULT lines = SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
    if (static_cast<LRESULT>(line) >= lines)
        return 0;
    LRESULT start = SendMessageA(edit, EM_LINEINDEX, line, 0);
    if (start < 0)
        return 0;
    LRESULT end = line + 1 < static_cast<unsigned>(lines)
                      ? SendMessageA(edit, EM_LINEINDEX, line + 1, 0)
                      : GetWindowTextLengthA(edit);
    // A line that wraps ends where the next begins; a hard break's CR LF is not counted.
    int size = static_cast<int>(SendMessageA(edit, EM_LINELENGTH, start, 0));
    return end - start < size ? static_cast<int>(end - start) : size;
}

int EditCtrl_GetLine(HWND edit, unsigned line, char* buf, unsigned short size)
{
    if (!buf || size == 0)
        return 0;
    buf[0] = '\0';
    if (size < sizeof(WORD) + 1) // EM_GETLINE reads its buffer size from the first word
        return 0;
    *reinterpret_cast<WORD*>(buf) = static_cast<WORD>(size - 1);
    LRESULT n = SendMessageA(edit, EM_GETLINE, line, reinterpret_cast<LPARAM>(buf));
    if (n < 0 || n >= size)
        n = 0;
    buf[n] = '\0';
    return static_cast<int>(n);
}

typedef HRESULT(WINAPI* AutoCompleteProc)(HWND, DWORD);

// Looked up once: only when the process already has the library, never loading it.
static AutoCompleteProc GetAutoComplete()
{
    static AutoCompleteProc s_proc = nullptr;
    if (!s_proc) {
        HMODULE lib = GetModuleHandleA("Shlwapi");
        if (lib)
            s_proc = reinterpret_cast<AutoCompleteProc>(
                reinterpret_cast<void*>(GetProcAddress(lib, "SHAutoComplete")));
    }
    return s_proc;
}

HRESULT MySHAutoComplete(HWND edit, unsigned long flags)
{
    if (!edit)
        return 0;
    AutoCompleteProc proc = GetAutoComplete();
    return proc ? proc(edit, flags) : E_NOTIMPL;
}

int CanAutoComplete()
{
    return GetAutoComplete() != nullptr;
}
