// Starting programs, documents and web pages through the shell or the process API, the
// library itself through the system's DLL runner, start-up entries, associated programs,
// and the refresh of the desktop shell. Results are non-zero for success unless stated.
// The "owner" of a shell call is the last active pop-up of the active window, or none.
#pragma once
#include <windows.h>
#include <shlobj.h>
#include "VntApi.h"

// Shell-executes file with params and verb (null: the default verb), normal show state;
// shows the wait cursor meanwhile.
VNT_API int RunFile(const char* file, const char* params, const char* verb, unsigned long mask);
// As RunFile, without the wait cursor; the started process's handle (the caller closes
// it), or null.
VNT_API HANDLE StartProcess(const char* file, const char* params);
// Shell-executes the file name of the product's home folder.
VNT_API int RunLocalFile(HWND owner, const char* name, const char* params);
// Starts the running program again with params.
VNT_API int RunMyself(const char* params);
VNT_API int RunPidl(HWND owner, ITEMIDLIST* item);
// A process from app and cmdLine, shown with show; info receives both handles, which the
// caller closes.
VNT_API int RunProcess(const char* app, char* cmdLine, PROCESS_INFORMATION* info,
                       unsigned short show);
// The same; only the process handle is kept, in *process (the caller closes it), or
// closed at once when process is null.
VNT_API int RunProcess(const char* app, char* cmdLine, HANDLE* process, unsigned short show);
// "RunDll32.exe <library in short form>,<args>".
VNT_API int RunDll32(const char* args);
// Writes (enable) or removes the start-up value that runs RunDll32(args) at log-on, under
// the user's (currentUser) or the machine's Run key. An equal value is not rewritten.
VNT_API int AutoRunDll32(const char* valueName, int enable, int currentUser, const char* args);
// The program that opens files of type ext (".htm"); app (260 bytes, may be null)
// receives its path, which must exist.
VNT_API int GetAssociatedApp(const char* ext, char* app);
// The small icon of file, or of the program associated with its type; iconFile (260
// bytes) and index say where it came from; the caller destroys *icon.
VNT_API int GetAssociatedIcon(const char* file, char* iconFile, unsigned short* index, HICON* icon);
// Opens a web page, after a confirmation (string msgId, or the library's own) when
// confirm is non-zero; tells the user when no browser can be found.
VNT_API int OpenHTML(HWND owner, const char* url, int confirm, unsigned msgId);
// Tells the system whether a screen saver runs (enable 0: it runs, system keys are off).
VNT_API int EnableSysKeys(int enable);
// Makes the shell's folder views and every top-level window take up changed settings.
VNT_API void UpdateShell();
