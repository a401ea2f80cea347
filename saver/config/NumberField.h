// NumberField: an edit field for a whole number with its up-down arrows and a range of
// 1..top. What the user typed is read only when it is a whole number within the range.
#pragma once
#include <windows.h>

class FwDlg;

class NumberField {
public:
    int idEdit;
    int idSpin;
    unsigned long dwTop;

    NumberField(int edit, int spin, unsigned long top) : idEdit(edit), idSpin(spin), dwTop(top) {}

    // The arrows' range and the shown value (brought into the range).
    void Init(FwDlg& dlg, unsigned long value) const;
    // 1 with the number on screen in value; 0 for text that is not a whole number in range.
    int Read(FwDlg& dlg, unsigned long& value) const;
};
