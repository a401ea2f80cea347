// The application identity: which module's resources the application loads, its key
// names, message-box title and help file. Identities stack: the newest one is mirrored in
// AppInfo::data, from which the rest of the system takes the settings key (pszRootKey),
// the title and the help file. The library makes one on its own module when it is
// loaded; the screen-saver program replaces it by one on the program's module.
#pragma once
#include <windows.h>
#include "VntApi.h"
#include "base/CritSec.h"
#include "base/FwList.h"

struct AppData {
    HINSTANCE hInstance;
    const char* pszAppName;  // key below the company key; also the home-folder key
    const char* pszSection;  // settings key below the application key
    const char* pszTitle;    // caption of every message box
    const char* pszHelpFile;
    unsigned long dwHelpBase;
    const char* pszRootKey;  // textual path of the settings key
};

class VNT_API AppInfo {
public:
    // The same fields as AppData, in the same order. The four names are the caller's
    // (they must outlive the object); pszRootKey is owned.
    HINSTANCE hInstance;
    const char* pszAppName;
    const char* pszSection;
    const char* pszTitle;
    const char* pszHelpFile;
    unsigned long dwHelpBase;
    char* pszRootKey;

    static CritSec critSec;      // guards listAppInfo and copies into and out of data
    static FwList listAppInfo;   // live identities, newest at the head
    static AppData data;         // the newest identity's fields; zero when none lives

    // A non-zero migrate first moves the application's settings from the former company
    // key (RegKey::Fw2Cv).
    AppInfo(HINSTANCE hInst, const char* appName, const char* section, const char* title,
            const char* helpFile, unsigned long helpBase, int migrate);
    ~AppInfo();
    AppInfo(const AppInfo&) = delete;
    AppInfo& operator=(const AppInfo&) = delete;

    void SetAppRootKey(const char* path);

    static AppInfo* GetAppInfo();
    static AppData& Data();
    // A positive id names a resource of the application's module, a negative one of the
    // library's; a null inst is filled in accordingly and the id made positive.
    static void ConvertResourceId(int& id, HINSTANCE& inst);

private:
    void CopyTo(AppData& d) const;
};

// Replaces the library's identity by one on inst ("Vantora"); a null inst only
// destroys it. Result: the new identity, null when none was made.
VNT_API AppInfo* MakeAppInfo(HINSTANCE inst);
