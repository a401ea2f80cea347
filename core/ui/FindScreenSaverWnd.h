// The class of every screen-saver window, full screen or preview, and the look-up for it.
#pragma once
#include <windows.h>
#include "VntApi.h"

#define SCREENSAVER_CLASS "WindowsScreenSaverClass"

// The first top-level window of the screen-saver class (any title), or null.
VNT_API HWND FindScreenSaverWnd();
