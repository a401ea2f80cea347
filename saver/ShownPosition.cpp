#include "ShownPosition.h"
#include "base/AppInfo.h"
#include "base/RegKey.h"
#include "options/Opts.h"

ShownPosition ShownPosition::Read()
{
    ShownPosition pos;
    RegKey key(AppInfo::Data().pszRootKey, 0);
    if (!key.IsReady())
        return pos;
    pos.pos.Read(key, 1);
    pos.bStored = key.FindValue(Opts::pszSSLastPicInd) && key.FindValue(Opts::pszSSLastSetInd);
    return pos;
}

void ShownPosition::Write() const
{
    RegKey key(AppInfo::Data().pszRootKey, 1);
    if (!key.IsReady())
        return;
    pos.Write(key, 1, true);
    if (!bStored) {
        key.DelValue(Opts::pszSSLastPicInd);
        key.DelValue(Opts::pszSSLastSetInd);
    }
}
