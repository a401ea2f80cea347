#include "options/BoolOpts.h"
#include "base/AppInfo.h"
#include "base/RegKey.h"
#include "base/WinUtil.h"

BoolOpts::BoolOpts(const char* name) : dwOpts(0), pszName(name) {}

void BoolOpts::Set(unsigned int mask, int on)
{
    SetBitsBool(dwOpts, mask, on);
}

void BoolOpts::Reset()
{
    dwOpts = 0;
}

void BoolOpts::OnLoad(RegKey&) {}

void BoolOpts::OnStore(RegKey&) {}

int BoolOpts::Load()
{
    Reset();
    RegKey key(AppInfo::Data().pszRootKey, 0);
    if (!key.IsReady())
        return 0;
    dwOpts = key.GetDword(pszName, dwOpts);
    OnLoad(key);
    return 1;
}

int BoolOpts::Store()
{
    RegKey key(AppInfo::Data().pszRootKey, 1);
    if (!key.IsReady())
        return 0;
    OnStore(key);
    key.PutDword(pszName, dwOpts);
    key.Flush();
    return 1;
}
