// FwHandle: one kernel handle (process, thread, token, event, mutex) closed with
// CloseHandle when the holder ends. Null and INVALID_HANDLE_VALUE both mean "none".
// Header only, not exported.
#pragma once
#include <windows.h>

class FwHandle {
public:
    HANDLE h;

    explicit FwHandle(HANDLE handle = nullptr) : h(handle) {}
    ~FwHandle() { Close(); }
    FwHandle(const FwHandle&) = delete;
    FwHandle& operator=(const FwHandle&) = delete;

    bool IsReady() const { return h && h != INVALID_HANDLE_VALUE; }
    operator HANDLE() const { return h; }
    // Where an API writes a new handle; a handle held before is closed first.
    HANDLE* Receive()
    {
        Close();
        return &h;
    }
    // Gives the handle to the caller, who closes it.
    HANDLE Detach()
    {
        HANDLE handle = h;
        h = nullptr;
        return handle;
    }
    void Close()
    {
        if (IsReady())
            CloseHandle(h);
        h = nullptr;
    }
};
