// The sheet's Help button, the same on every page: ReadMe.txt of the program's folder.
#pragma once
#include "base/Launch.h"

inline void OpenReadMe(HWND owner)
{
    RunLocalFile(owner, "ReadMe.txt", nullptr);
}
