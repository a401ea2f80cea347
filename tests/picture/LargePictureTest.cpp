// A large photo is drawn holding at most about twice its decoded pixels: measured in a
// process of its own, so that no earlier test's peak hides the figure.
#include <gtest/gtest.h>
#include <windows.h>
#include <psapi.h>
#include "PictureTestUtil.h"
#include "picture/iPicture.h"

TEST(LargePicture, DrawnWithinTwiceItsDecodedSize)
{
    char exe[MAX_PATH];
    ASSERT_TRUE(GetModuleFileNameA(nullptr, exe, MAX_PATH));
    ChildProcess child;
    ASSERT_TRUE(child.Start(std::string("\"") + exe +
                            "\" --gtest_also_run_disabled_tests --gtest_filter=LargePicture.DISABLED_DrawAndMeasure"));
    ASSERT_TRUE(child.Wait(120000));
    EXPECT_EQ(0u, child.ExitCode());
}

TEST(LargePicture, DISABLED_DrawAndMeasure)
{
    FrameWindow frame(600, 400);
    Canvas canvas(600, 400);
    PROCESS_MEMORY_COUNTERS before = {sizeof before}, after = {sizeof after};
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before));
    iPicture().Blast(frame, Fixture("halves_6000x4000.jpg").c_str(), 1, canvas.Dc(), nullptr, nullptr, 1);
    ASSERT_TRUE(GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after));
    EXPECT_TRUE(IsRed(canvas.Pixel(300, 100)) && IsBlue(canvas.Pixel(300, 300)));
    const double decoded = 6000.0 * 4000 * 3;
    EXPECT_LE((after.PeakWorkingSetSize - before.WorkingSetSize) / decoded, 2.25);
}
