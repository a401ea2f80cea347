// FwIcon: one icon, destroyed with the holder. FwIconForDlg also gives it to a dialog.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API FwIcon {
public:
    HICON hIcon;

    FwIcon();
    ~FwIcon();
    FwIcon(const FwIcon&) = delete;
    FwIcon& operator=(const FwIcon&) = delete;

    // A negative id names an icon of the library. systemSize: the system's icon sizes,
    // else 16 or 32 pixels. Replaces an icon held before.
    int Load(int id, int bSmall, int systemSize);
    operator HICON() const { return hIcon; }
};

class VNT_API FwIconForDlg : public FwIcon {
public:
    int Init(HWND hDlg, int id, int bSmall);
};
