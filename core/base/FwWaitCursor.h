// FwWaitCursor: shows the system's wait cursor for a scope and restores the cursor that
// was shown before.
#pragma once
#include <windows.h>
#include "VntApi.h"

class VNT_API FwWaitCursor {
public:
    HCURSOR hPrevCursor;

    FwWaitCursor();
    ~FwWaitCursor();
    FwWaitCursor(const FwWaitCursor&) = delete;
    FwWaitCursor& operator=(const FwWaitCursor&) = delete;
};
