// Window-core lifetimes: an auto-deleting object destroyed through Destroy, and a
// windowless timer started twice.
#include <gtest/gtest.h>
#include <string.h>
#include "TestUtil.h"
#include "ui/FwTimer.h"
#include "ui/FwWnd.h"

namespace {

// Lives in a buffer of its own; deletion fills it with a mark instead of freeing it, so
// that a write after deletion shows.
class MarkedWnd : public FwWnd {
public:
    static unsigned char buffer[256];
    static void* operator new(size_t size)
    {
        return size <= sizeof(buffer) ? buffer : nullptr;
    }
    static void operator delete(void* p)
    {
        memset(p, 0xDD, sizeof(MarkedWnd));
    }
    static bool StillMarked()
    {
        for (size_t i = 0; i < sizeof(MarkedWnd); i++)
            if (buffer[i] != 0xDD)
                return false;
        return true;
    }
};
unsigned char MarkedWnd::buffer[256];

int s_ticks[2];
void CALLBACK CountFirst(HWND, UINT, UINT_PTR, DWORD) { s_ticks[0]++; }
void CALLBACK CountSecond(HWND, UINT, UINT_PTR, DWORD) { s_ticks[1]++; }

} // namespace

TEST(WndLifetime, DestroyDoesNotTouchAnObjectThatDeletedItself)
{
    FwWnd::RegisterClassExA("VntMarkedWnd", 0, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0);
    MarkedWnd* wnd = new MarkedWnd;
    ASSERT_TRUE(wnd->Create("VntMarkedWnd", "marked", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr));
    wnd->bAutoDelete = 1;
    HWND hWnd = wnd->hWnd;
    EXPECT_TRUE(wnd->Destroy());
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_TRUE(MarkedWnd::StillMarked());
}

TEST(WndLifetime, RestartedWindowlessTimerLeavesNoTimerBehind)
{
    FwTimer first, second;
    first.Start(nullptr, 10, CountFirst);
    first.Start(nullptr, 10, CountFirst);
    first.Stop();
    s_ticks[0] = 0;
    second.Start(nullptr, 10, CountSecond);
    ASSERT_TRUE(WaitFor([] { return s_ticks[1] >= 5; }, 10000));
    EXPECT_EQ(0, s_ticks[0]);
}
