#include "base/FwHelp.h"
#include "base/FwWaitCursor.h"
#include "base/Module.h"
#include "base/Mbcs.h"
#include "base/Path.h"

int FwHelp(HWND owner, const char* helpFile, unsigned command, unsigned long data)
{
    FwWaitCursor wait;
    char path[MAX_PATH] = "";
    if (helpFile && IsFullPathName(helpFile)) {
        StrCopyN(path, helpFile, sizeof(path));
    } else {
        char folder[MAX_PATH];
        DWORD n = GetModuleFileNameA(GetLibraryModule(), folder, sizeof(folder));
        if (n == 0 || n >= sizeof(folder))
            return 0;
        StripFileName(folder);
        MakePath(path, folder, helpFile ? helpFile : "");
    }
    return WinHelpA(owner, path, command, data);
}
