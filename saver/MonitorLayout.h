// Where each monitor's picture goes in the saver window: one frame per monitor, in the
// window's client coordinates. Pure logic on rectangles, so it can be checked with any
// monitor arrangement; GetMonitorRects (base) asks the system for the real one.
#pragma once
#include <windows.h>
#include <vector>
#include "base/MonitorRects.h"

// The frames for a window whose client area covers rcWindow (screen coordinates): each
// monitor's part of the window, moved to client coordinates, monitors outside the window
// left out. With fewer than two such parts the one frame is the whole client area.
std::vector<RECT> LayoutFrames(const RECT& rcWindow, const std::vector<RECT>& monitors);
