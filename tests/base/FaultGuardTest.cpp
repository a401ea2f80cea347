// Faults and exceptions inside guarded code end that code, not the process.
#include <gtest/gtest.h>
#include <stdexcept>
#include "base/FaultGuard.h"

static void* ChainHead()
{
    void* p;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(p));
    return p;
}

TEST(FaultGuard, FaultsAndExceptionsEndTheCallAndLeaveTheChainAsItWas)
{
    int* volatile bad = reinterpret_cast<int*>(0x10);
    void* head = ChainHead();
    for (int round = 0; round < 3; ++round) { // a second fault after a caught one still lands here
        int reached = 0;
        EXPECT_EQ(0, RunGuarded([&] { *bad = 1; reached = 1; }));
        EXPECT_EQ(0, RunGuarded([&] { RaiseException(0xE0564E54, 0, 0, nullptr); reached = 1; }));
        EXPECT_EQ(0, RunGuarded([&] { throw std::runtime_error("x"); }));
        EXPECT_EQ(0, reached);
        EXPECT_EQ(head, ChainHead());
    }
    // A call that completes gives 1; an inner guard catches what happens inside it.
    int inner = -1;
    EXPECT_EQ(1, RunGuarded([&] { inner = RunGuarded([&] { *bad = 2; }); }));
    EXPECT_EQ(0, inner);
}
