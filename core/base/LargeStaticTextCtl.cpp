#include "base/LargeStaticTextCtl.h"

// The shared font and the number of objects using it (user-interface thread only).
static HFONT s_hFont = nullptr;
static int s_nUsers = 0;

static HFONT CreateLargeFont()
{
    LOGFONTA lf = {};
    // On double-byte systems the GUI font is already their Far East variant.
    HGDIOBJ base = GetStockObject(DEFAULT_GUI_FONT);
    if (!GetObjectA(base, sizeof(lf), &lf))
        return nullptr;
    lf.lfHeight *= 2;
    lf.lfWidth = 0;
    lf.lfWeight = 900;
    LOGFONTA arial = lf;
    lstrcpynA(arial.lfFaceName, "Arial", LF_FACESIZE);
    HFONT font = CreateFontIndirectA(&arial);
    return font ? font : CreateFontIndirectA(&lf);
}

LargeStaticTextCtl::LargeStaticTextCtl()
{
    if (s_nUsers++ == 0)
        s_hFont = CreateLargeFont();
}

LargeStaticTextCtl::~LargeStaticTextCtl()
{
    if (--s_nUsers == 0 && s_hFont) {
        DeleteObject(s_hFont);
        s_hFont = nullptr;
    }
}

int LargeStaticTextCtl::Init(HWND dlg, unsigned id)
{
    HWND item = GetDlgItem(dlg, id);
    if (!item || !s_hFont)
        return 0;
    SendMessageA(item, WM_SETFONT, reinterpret_cast<WPARAM>(s_hFont), TRUE);
    return 1;
}
