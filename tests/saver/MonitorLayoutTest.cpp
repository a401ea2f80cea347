// One frame per monitor in the saver window's client coordinates.
#include <gtest/gtest.h>
#include <string.h>
#include "MonitorLayout.h"

TEST(MonitorLayout, OneFramePerMonitorInClientCoordinates)
{
    struct Case {
        const char* name;
        RECT window;
        std::vector<RECT> monitors;
        std::vector<RECT> frames;
    };
    const Case cases[] = {
        {"one monitor", {0, 0, 1024, 768}, {{0, 0, 1024, 768}}, {{0, 0, 1024, 768}}},
        {"none reported", {0, 0, 1024, 768}, {}, {{0, 0, 1024, 768}}},
        {"side by side", {0, 0, 1824, 768}, {{0, 0, 1024, 768}, {1024, 0, 1824, 600}},
         {{0, 0, 1024, 768}, {1024, 0, 1824, 600}}},
        {"second left of the primary", {-800, 0, 1024, 768}, {{0, 0, 1024, 768}, {-800, 100, 0, 700}},
         {{800, 0, 1824, 768}, {0, 100, 800, 700}}},
        {"stacked", {0, -600, 1024, 768}, {{0, 0, 1024, 768}, {0, -600, 800, 0}},
         {{0, 600, 1024, 1368}, {0, 0, 800, 600}}},
        {"both at the origin", {0, 0, 1024, 768}, {{0, 0, 1024, 768}, {0, 0, 800, 600}},
         {{0, 0, 1024, 768}, {0, 0, 800, 600}}},
        {"window on one of two (a preview)", {100, 100, 260, 220}, {{0, 0, 1024, 768}, {1024, 0, 1824, 600}},
         {{0, 0, 160, 120}}},
        {"part of a monitor outside the window", {0, 0, 1024, 768}, {{0, 0, 1024, 768}, {900, 0, 1700, 600}},
         {{0, 0, 1024, 768}, {900, 0, 1024, 600}}},
    };
    for (const Case& c : cases) {
        std::vector<RECT> frames = LayoutFrames(c.window, c.monitors);
        EXPECT_TRUE(frames.size() == c.frames.size() &&
                    !memcmp(frames.data(), c.frames.data(), frames.size() * sizeof(RECT))) << c.name;
    }
}
