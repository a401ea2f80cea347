#include <cstring>
#include <new>
#include "base/AppInfo.h"
#include "base/Module.h"
#include "base/RegKey.h"
#include "base/RegUtil.h"
#include "base/TextUtil.h"

CritSec AppInfo::critSec;
FwList AppInfo::listAppInfo;
AppData AppInfo::data = {};

// The identity MakeAppInfo made.
static AppInfo* s_pAppInfo = nullptr;

AppInfo::AppInfo(HINSTANCE hInst, const char* appName, const char* section, const char* title,
                 const char* helpFile, unsigned long helpBase, int migrate)
    : hInstance(hInst), pszAppName(appName), pszSection(section), pszTitle(title),
      pszHelpFile(helpFile), dwHelpBase(helpBase), pszRootKey(nullptr)
{
    if (migrate)
        RegKey::Fw2Cv(1, appName);
    char szRoot[256];
    if (!RegKey::FormatPath(szRoot, sizeof(szRoot), "%s\\%s\\%s", RegKey::sz_HKCU_Software_MyCompany,
                            appName ? appName : "", section ? section : ""))
        szRoot[0] = '\0';
    SetAppRootKey(szRoot);
    CritSecLock lock(critSec);
    if (listAppInfo.AddHead(this))
        CopyTo(data);
}

AppInfo::~AppInfo()
{
    {
        CritSecLock lock(critSec);
        POS__* pos = listAppInfo.Find(this);
        if (pos)
            listAppInfo.RemoveAt(pos);
        if (listAppInfo.IsEmpty())
            data = AppData();
        else
            static_cast<AppInfo*>(listAppInfo.GetHead())->CopyTo(data);
    }
    delete[] pszRootKey;
}

void AppInfo::CopyTo(AppData& d) const
{
    d.hInstance = hInstance;
    d.pszAppName = pszAppName;
    d.pszSection = pszSection;
    d.pszTitle = pszTitle;
    d.pszHelpFile = pszHelpFile;
    d.dwHelpBase = dwHelpBase;
    d.pszRootKey = pszRootKey;
}

// The mirror in data changes only when this is the newest identity: data always
// describes one identity, and an older one's key never replaces the newest one's.
void AppInfo::SetAppRootKey(const char* path)
{
    char* copy = path ? CopyToHeap(path) : nullptr;
    char* old = pszRootKey;
    {
        CritSecLock lock(critSec);
        pszRootKey = copy;
        if (!listAppInfo.IsEmpty() && listAppInfo.GetHead() == this)
            data.pszRootKey = copy;
    }
    delete[] old;
}

AppInfo* AppInfo::GetAppInfo()
{
    CritSecLock lock(critSec);
    return listAppInfo.IsEmpty() ? nullptr : static_cast<AppInfo*>(listAppInfo.GetHead());
}

AppData& AppInfo::Data()
{
    critSec.Wait();
    return data;
}

void AppInfo::ConvertResourceId(int& id, HINSTANCE& inst)
{
    if (id != 0 && !inst)
        inst = id > 0 ? data.hInstance : GetLibraryModule();
    if (id < 0)
        id = -id;
}

AppInfo* MakeAppInfo(HINSTANCE inst)
{
    delete s_pAppInfo;
    s_pAppInfo = nullptr;
    if (!inst)
        return nullptr;
    // The stored home folder is dropped on every start; the next look-up writes it again
    // from the library's location.
    ProcessHomeFolder(RegKey::opRemove, "Vantora", nullptr, 0);
    s_pAppInfo = new (std::nothrow)
        AppInfo(inst, "Vantora", "ControlPanel", "Vantora", "VNT.hlp", 0x300000, 1);
    return s_pAppInfo;
}
