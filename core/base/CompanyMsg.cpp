#include "base/CompanyMsg.h"
#include <windows.h>

// Registering the same name twice yields the same value, so a race here is harmless.
static unsigned s_uCompanyMsg = 0;

unsigned GetMyCompanyMsg()
{
    if (!s_uCompanyMsg)
        s_uCompanyMsg = RegisterWindowMessageA("CorvaneMessage");
    return s_uCompanyMsg;
}
