#include "MonitorLayout.h"

std::vector<RECT> LayoutFrames(const RECT& rcWindow, const std::vector<RECT>& monitors)
{
    std::vector<RECT> frames;
    for (const RECT& monitor : monitors) {
        RECT part;
        if (!IntersectRect(&part, &monitor, &rcWindow))
            continue;
        OffsetRect(&part, -rcWindow.left, -rcWindow.top);
        frames.push_back(part);
    }
    if (frames.size() < 2) {
        // One monitor (or a window on none, like the preview's): the whole client area.
        RECT whole = {0, 0, rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top};
        frames.assign(1, whole);
    }
    return frames;
}
