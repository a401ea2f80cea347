#include "base/FaultGuard.h"

// 32-bit Windows keeps the chain of exception handlers on the stack, headed by the thread's
// ExceptionList. The guard links one record in front of the chain for the length of the
// call; its handler unwinds the frames above it and jumps back into CallGuarded.

namespace {

struct GuardFrame {
    EXCEPTION_REGISTRATION_RECORD rec; // first: the chain points at it
    void* jmp[5];                      // resume point for __builtin_longjmp
};

// The head of the chain is the first word of the thread's information block (fs:0).
EXCEPTION_REGISTRATION_RECORD* GetChainHead()
{
    EXCEPTION_REGISTRATION_RECORD* p;
    __asm__ __volatile__("movl %%fs:0, %0" : "=r"(p));
    return p;
}

void SetChainHead(EXCEPTION_REGISTRATION_RECORD* p)
{
    __asm__ __volatile__("movl %0, %%fs:0" : : "r"(p) : "memory");
}

EXCEPTION_DISPOSITION NTAPI GuardHandler(EXCEPTION_RECORD* pRecord, void* pEstablisher, CONTEXT*, void*)
{
    if (pRecord->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
        return ExceptionContinueSearch;
    // Let the handlers of the frames above ours clean up, leaving our record at the head.
    RtlUnwind(pEstablisher, nullptr, pRecord, nullptr);
    __builtin_longjmp(static_cast<GuardFrame*>(pEstablisher)->jmp, 1);
}

} // namespace

int CallGuarded(void (*pfn)(void*), void* pv)
{
    GuardFrame frame;
    if (__builtin_setjmp(frame.jmp)) {
        SetChainHead(frame.rec.Next); // back here from the handler: unlink
        return 0;
    }
    frame.rec.Next = GetChainHead();
    frame.rec.Handler = GuardHandler;
    SetChainHead(&frame.rec);
    pfn(pv);
    SetChainHead(frame.rec.Next);
    return 1;
}
