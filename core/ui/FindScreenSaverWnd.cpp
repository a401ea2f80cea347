#include "ui/FindScreenSaverWnd.h"

HWND FindScreenSaverWnd()
{
    return FindWindowA(SCREENSAVER_CLASS, nullptr);
}
