#include "config/NumberField.h"
#include <commctrl.h>
#include "options/Opts.h"
#include "ui/FwDlg.h"

void NumberField::Init(FwDlg& dlg, unsigned long value) const
{
    dlg.SendDlgItemMsg(idSpin, UDM_SETRANGE32, 1, static_cast<LPARAM>(dwTop));
    dlg.SetDlgItemInt(idEdit, ClampSetting(value, dwTop), FALSE);
}

int NumberField::Read(FwDlg& dlg, unsigned long& value) const
{
    char text[32];
    dlg.GetDlgItemTextA(idEdit, text, sizeof text);
    text[sizeof text - 1] = '\0';
    // Digits only, spaces around them allowed; more than nine digits is out of any range
    // and would not fit the sum.
    const char* p = text;
    while (*p == ' ')
        p++;
    unsigned long v = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; p++, digits++)
        if (digits < 9)
            v = v * 10 + static_cast<unsigned long>(*p - '0');
    while (*p == ' ')
        p++;
    if (*p || digits == 0 || digits > 9 || v < 1 || v > dwTop)
        return 0;
    value = v;
    return 1;
}
