// Dialog-item shortcuts: each does nothing and gives 0 when the item is missing.
#pragma once
#include <windows.h>
#include "VntApi.h"

VNT_API int MoveDlgItem(HWND dlg, int id, int byX, int byY);
VNT_API int ResizeDlgItem(HWND dlg, int id, int byX, int byY);
VNT_API int EnableDlgItem(HWND dlg, int id, int on);
VNT_API int ShowDlgItem(HWND dlg, int id, int on);
VNT_API int SetDlgItemFocus(HWND dlg, int id);
// The item's answer.
VNT_API LRESULT SendDlgItemMsg(HWND dlg, int id, UINT msg, WPARAM wParam, LPARAM lParam);
VNT_API int GetDlgDefBtnID(HWND dlg);
// The former default button becomes a plain push button; nothing when id already is it.
VNT_API void SetDlgDefBtnID(HWND dlg, int id);
VNT_API void SetDlgItemSpinRange(HWND dlg, int id, unsigned lower, unsigned upper);
// Length of a line of a multi-line edit control; 0 for a line that does not exist.
VNT_API int EditCtrl_GetLineSize(HWND edit, unsigned line);
// Copies the line into buf (size bytes) and terminates it; the length copied.
VNT_API int EditCtrl_GetLine(HWND edit, unsigned line, char* buf, unsigned short size);
// The shell's auto-completion when "Shlwapi" is already loaded; E_NOTIMPL otherwise.
VNT_API HRESULT MySHAutoComplete(HWND edit, unsigned long flags);
VNT_API int CanAutoComplete();
