// Programs associated with file types, their icons, and opening web pages.
#include "base/Launch.h"
#include <shellapi.h>
#include "base/Mbcs.h"
#include "base/Msg.h"
#include "base/Path.h"
#include "base/RegKey.h"
#include "res/VntRes.h"

// The extension of the path's last component, from its last dot on; null when it has none.
static const char* FindExtension(const char* path)
{
    const char* ext = nullptr;
    for (const char* p = path; *p; IncPsz(p)) {
        if (*p == '\\' || *p == '/' || *p == ':')
            ext = nullptr;
        else if (*p == '.')
            ext = p;
    }
    return ext;
}

int GetAssociatedApp(const char* ext, char* app)
{
    if (app)
        app[0] = '\0';
    if (!ext || !ext[0])
        return 0;
    char type[256];
    {
        RegKey classes("HKCLS", RegKey::opRead);
        if (!classes.IsReady())
            return 0;
        RegKey extKey(classes, ext, RegKey::opRead);
        if (!extKey.IsReady() || extKey.GetStr(nullptr, type, sizeof(type), nullptr) == 0)
            return 0;
    }
    char keyPath[RegKey::cbKeyName];
    if (!RegKey::FormatPath(keyPath, sizeof(keyPath), "HKCLS\\%s\\shell\\open\\command", type))
        return 0;
    RegKey cmdKey(keyPath, RegKey::opRead);
    char cmd[256];
    if (!cmdKey.IsReady() || cmdKey.GetStr(nullptr, cmd, sizeof(cmd), nullptr) == 0)
        return 0;
    if (app) {
        // The program is the quoted text at the start, or the text up to the first blank.
        const char* src = cmd;
        char end = ' ';
        if (*src == '"') {
            src++;
            end = '"';
        }
        char* dst = app;
        while (*src && *src != end)
            CharCopy(dst, src);
        *dst = '\0';
        if (!FileExists(app))
            return 0;
    }
    return 1;
}

// The icon at index of file (a small one), or null.
static HICON ExtractSmallIcon(const char* file, int index)
{
    HICON icon = nullptr;
    if (ExtractIconExA(file, index, nullptr, &icon, 1) == 0)
        return nullptr;
    return icon;
}

int GetAssociatedIcon(const char* file, char* iconFile, unsigned short* index, HICON* icon)
{
    if (iconFile)
        iconFile[0] = '\0';
    if (index)
        *index = 0;
    if (icon)
        *icon = nullptr;
    if (!file || !file[0] || !iconFile)
        return 0;
    HICON found = ExtractSmallIcon(file, 0);
    if (found) {
        StrCopyN(iconFile, file, MAX_PATH);
    } else {
        const char* ext = FindExtension(file);
        if (!ext || !GetAssociatedApp(ext, iconFile)) {
            iconFile[0] = '\0';
            return 0;
        }
        found = ExtractSmallIcon(iconFile, 1);
        if (found) {
            if (index)
                *index = 1;
        } else {
            found = ExtractSmallIcon(iconFile, 0);
        }
    }
    if (!found)
        return 0;
    if (icon)
        *icon = found;
    else
        DestroyIcon(found);
    return 1;
}

int OpenHTML(HWND owner, const char* url, int confirm, unsigned msgId)
{
    if (!url || !url[0])
        return 0;
    if (confirm) {
        int text = msgId ? static_cast<int>(msgId) : -IDS_OPEN_WEB_SITE;
        if (Msg(owner, MB_ICONINFORMATION | MB_OKCANCEL, text) != IDOK)
            return 0;
    }
    if (RunFile(url, nullptr, nullptr, SEE_MASK_FLAG_NO_UI))
        return 1;
    // No handler for the address itself: hand it to the program of its file type.
    char app[MAX_PATH];
    const char* ext = FindExtension(url);
    if (ext && GetAssociatedApp(ext, app)) {
        HINSTANCE r = ShellExecuteA(owner, nullptr, app, url, nullptr, SW_SHOWNORMAL);
        if (reinterpret_cast<INT_PTR>(r) > 32)
            return 1;
    }
    Msg(owner, MB_ICONERROR, -IDS_NO_HTML_APP);
    return 0;
}
