#include "base/Msg.h"
#include <stdarg.h>
#include "base/AppInfo.h"
#include "base/MemHolders.h"
#include "base/ResStr.h"

// Shows text with the application's title over the window the user is looking at.
static int ShowMsg(HWND owner, unsigned type, const char* text)
{
    if (!owner)
        owner = GetActiveWindow();
    if (owner == MSG_NO_OWNER)
        owner = nullptr;
    else if (owner)
        owner = GetLastActivePopup(owner);
    const char* title = AppInfo::Data().pszTitle;
    return MessageBoxA(owner, text ? text : "", title, type | MB_SETFOREGROUND);
}

int Msg(HWND owner, unsigned type, const char* format, ...)
{
    char sz[1024];
    va_list args;
    va_start(args, format);
    FormatBuf(sz, sizeof(sz), format, args);
    va_end(args);
    return ShowMsg(owner, type, sz);
}

int Msg(HWND owner, unsigned type, int textId, ...)
{
    ResStr format(textId);
    char sz[1024];
    va_list args;
    va_start(args, textId);
    FormatBuf(sz, sizeof(sz), format, args);
    va_end(args);
    return ShowMsg(owner, type, sz);
}

int MsgLastError(HWND owner)
{
    DWORD code = GetLastError();
    LocalBlock buf; // FormatMessage allocates the text
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
                   reinterpret_cast<char*>(buf.Receive<char>()), 0, nullptr);
    return ShowMsg(owner, MB_ICONEXCLAMATION | MB_OK, static_cast<const char*>(buf.p));
}
