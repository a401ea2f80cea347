// Operations of FwWnd that take their text from string resources or from the file and
// folder pickers. They report failure until those services are part of the library.
#include "ui/FwWnd.h"

BOOL FwWnd::SetTextFmt(HINSTANCE, UINT, ...) { return FALSE; }
BOOL FwWnd::SetText(UINT, ...) { return FALSE; }
int FwWnd::OnBrowseForFile(int, const char*, const char*, const char*, const char*, UINT) { return 0; }
int FwWnd::OnBrowseForFolder(const char*, UINT) { return 0; }
