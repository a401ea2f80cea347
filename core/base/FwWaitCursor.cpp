#include "base/FwWaitCursor.h"

FwWaitCursor::FwWaitCursor() : hPrevCursor(SetCursor(LoadCursorA(nullptr, IDC_WAIT))) {}

FwWaitCursor::~FwWaitCursor()
{
    SetCursor(hPrevCursor);
}
