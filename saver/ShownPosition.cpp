#include "ShownPosition.h"
#include "base/AppInfo.h"
#include "base/RegKey.h"
#include "options/Opts.h"

ShownPosition ShownPosition::Read()
{
    ShownPosition pos;
    RegKey key(AppInfo::Data().pszRootKey, 0);
    if (key.IsReady() && key.FindValue(Opts::pszSSLastPicInd) && key.FindValue(Opts::pszSSLastSetInd)) {
        pos.dwPic = key.GetDword(Opts::pszSSLastPicInd, 0);
        pos.dwSet = key.GetDword(Opts::pszSSLastSetInd, 0);
        pos.bStored = true;
    }
    return pos;
}

void ShownPosition::Write() const
{
    RegKey key(AppInfo::Data().pszRootKey, 1);
    if (!key.IsReady())
        return;
    if (bStored) {
        key.PutDword(Opts::pszSSLastPicInd, dwPic);
        key.PutDword(Opts::pszSSLastSetInd, dwSet);
    } else {
        key.DelValue(Opts::pszSSLastPicInd);
        key.DelValue(Opts::pszSSLastSetInd);
    }
}
