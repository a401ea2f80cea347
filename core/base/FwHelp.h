// The help launcher: the system help engine on a help file of the product.
#pragma once
#include <windows.h>
#include "VntApi.h"

// helpFile is a full path, or a name looked up in the library's folder. Result: that of
// the help engine.
VNT_API int FwHelp(HWND owner, const char* helpFile, unsigned command, unsigned long data);
