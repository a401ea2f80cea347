// Message boxes of the application: the caption is the application's title, the box is
// owned by the last active pop-up of the owner and comes to the foreground.
#pragma once
#include <windows.h>
#include "VntApi.h"

// Owner value for a box that has no owner even when a window is active.
#define MSG_NO_OWNER (reinterpret_cast<HWND>(1))

// owner null: the active window. Result: the button chosen.
VNT_API int Msg(HWND owner, unsigned type, const char* format, ...);
// The format is string textId (negative: the library's string table).
VNT_API int Msg(HWND owner, unsigned type, int textId, ...);
// The system's text for the calling thread's last error, with the exclamation icon.
VNT_API int MsgLastError(HWND owner);
