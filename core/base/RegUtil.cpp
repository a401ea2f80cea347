#include <shlobj.h>
#include "base/RegUtil.h"

static const char s_szHKLM_Software_Fenwick[] = "HKLM\\Software\\Fenwick";

int GetHomeFolder(const char* app, char* buf)
{
    if (!buf)
        return 0;
    buf[0] = '\0';
    return ProcessHomeFolder(RegKey::opRead, app, buf, MAX_PATH);
}

int ProcessHomeFolder(RegKey::Op op, const char* app, const char* value, unsigned size)
{
    if (op > RegKey::opRead)
        return 1;
    if (!app || !*app)
        return 0;
    int write = RegKey::IsWritable(op);
    if (write)
        RegKey::Fw2Cv(0, app);
    char szPath[256];
    if (!RegKey::FormatPath(szPath, sizeof(szPath), "%s\\%s\\Setup", RegKey::sz_HKLM_Software_MyCompany, app))
        return 0;
    RegKey key(szPath, write);
    if (!key.IsReady()) {
        if (write)
            return 0;
        if (!RegKey::FormatPath(szPath, sizeof(szPath), "%s\\%s\\Setup", s_szHKLM_Software_Fenwick, app) ||
            !key.Open(szPath, 0))
            return 0;
    }
    return key.ProcessEntry(op, "Home", value, size) ? 1 : 0;
}

int Restricted(const char* app, const char* name)
{
    if (!name || !app)
        return 0;
    char szPath[256];
    if (!RegKey::FormatPath(szPath, sizeof(szPath), "%s\\%s\\%s", RegKey::sz_HKCU_Software_MyCompany,
                            app, RegKey::sz_Setup_Restrictions))
        return 0;
    RegKey key(szPath, 0);
    return key.IsReady() ? key.GetInt(name, 0) : 0;
}

int IsPowerUser()
{
    RegKey key(RegKey::sz_HKLM_Software_MyCompany, 1);
    if (!key.IsReady() || !key.PutDword("Temp", 0))
        return 0;
    key.DelValue("Temp");
    return 1;
}

static const char* const s_rectNames[4] = {"%sL", "%sT", "%sR", "%sB"};

int RegGetRect(RegKey& key, RECT* rc, const char* prefix)
{
    if (!rc || !prefix)
        return 0;
    LONG* fields[4] = {&rc->left, &rc->top, &rc->right, &rc->bottom};
    char szName[256];
    for (int i = 0; i < 4; i++)
        if (RegKey::FormatPath(szName, sizeof(szName), s_rectNames[i], prefix))
            *fields[i] = key.GetInt(szName, *fields[i]);
    return key.IsReady();
}

int RegPutRect(RegKey& key, RECT* rc, const char* prefix)
{
    if (!rc || !prefix)
        return 0;
    LONG* fields[4] = {&rc->left, &rc->top, &rc->right, &rc->bottom};
    char szName[256];
    int ok = 1;
    for (int i = 0; i < 4; i++)
        ok = RegKey::FormatPath(szName, sizeof(szName), s_rectNames[i], prefix) &&
             key.PutInt(szName, *fields[i]) && ok;
    return ok;
}

int RegisterShellExt(RegKey::Op op, const char* name, const char* serverPath, const char* clsid,
                     const char* const* types, const char* kind, int notify)
{
    if (op > RegKey::opRead)
        return 1;
    if (!name || !serverPath || !clsid || !*clsid || !kind)
        return 0;
    int create = RegKey::IsWritable(op);
    RegKey keyClsid(RegKey::sz_CLASSES_CLSID, create);
    if (!keyClsid.IsReady())
        return 0;
    // Writing starts from a clean registration.
    keyClsid.ProcessSubKey(op, clsid);
    if (op != RegKey::opRemove) {
        RegKey keyServer(keyClsid, clsid, create);
        if (!keyServer.IsReady() || !keyServer.ProcessEntry(op, nullptr, name, 0))
            return 0;
        RegKey keyInProc(keyServer, "InProcServer32", create);
        if (!keyInProc.IsReady() || !keyInProc.ProcessEntry(op, nullptr, serverPath, 0) ||
            !keyInProc.ProcessEntry(op, "ThreadingModel", "Apartment", 0))
            return 0;
    }
    char szPath[520];
    for (const char* const* type = types; type && *type; type++) {
        if (!RegKey::FormatPath(szPath, sizeof(szPath), "HKEY_CLASSES_ROOT\\%s\\shellex\\%s", *type, kind))
            return 0;
        RegKey keyKind(szPath, create);
        if (!keyKind.IsReady())
            return 0;
        keyKind.ProcessSubKey(op, name);
        if (op != RegKey::opRemove) {
            RegKey keyHandler(keyKind, name, create);
            if (!keyHandler.IsReady() || !keyHandler.ProcessEntry(op, nullptr, clsid, 0))
                return 0;
        }
    }
    if (!RegKey::FormatPath(szPath, sizeof(szPath), "%s\\Shell Extensions\\Approved", RegKey::sz_HKLM_WinCurVer))
        return 0;
    RegKey keyApproved(szPath, create);
    if (!keyApproved.IsReady() || !keyApproved.ProcessEntry(op, clsid, name, 0))
        return 0;
    if (notify && create)
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);
    return 1;
}

int SetupCtxMenuRegistry(RegKey::Op op, const char* name, const char* serverPath, const char* clsid,
                         const char* const* types, int notify)
{
    return RegisterShellExt(op, name, serverPath, clsid, types, "ContextMenuHandlers", notify);
}
