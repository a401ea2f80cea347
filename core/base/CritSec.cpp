#include "base/CritSec.h"

CritSec::CritSec()
{
    InitializeCriticalSection(&cs);
}

CritSec::~CritSec()
{
    DeleteCriticalSection(&cs);
}

void CritSec::Enter()
{
    EnterCriticalSection(&cs);
}

void CritSec::Leave()
{
    LeaveCriticalSection(&cs);
}

void CritSec::Wait()
{
    EnterCriticalSection(&cs);
    LeaveCriticalSection(&cs);
}
