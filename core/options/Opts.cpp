// The options record: defaults, value names and the values it keeps beside the flag word.
#include "options/Opts.h"
#include "base/RegKey.h"
#include "options/OptsStoreHook.h"

const char* const Opts::pszSS = "SS";
const char* const Opts::pszWP = "WP";
const char* const Opts::pszTimeOut = "SS_TimeOut";
const char* const Opts::pszWPChange = "WP_change";
const char* const Opts::pszWPChangeCount = "WP_count";
const char* const Opts::pszSSLastPicInd = "SS_LastPic";
const char* const Opts::pszSSLastSetInd = "SS_LastSet";
const char* const Opts::pszWPLastPicInd = "WP_LastPic";
const char* const Opts::pszWPLastSetInd = "WP_LastSet";
const char* const Opts::pszSSBlurEdges = "SS_BlurEdges";
const char* const Opts::pszWPBlurEdges = "WP_BlurEdges";
const char* Opts::pszCopyrightText = "Photographs \xA9 Corvane Software";

// The flag word starts at 0 until Load; the numbers already hold their defaults so that a
// record used without Load still paces sensibly.
Opts::Opts()
    : BoolOpts("Options"), listSS(pszSS), listWP(pszWP), pCurList(nullptr), dwTimeOut(10),
      dwPace(4), dwWPChange(1), dwWPChangeCount(1), dwSSBlurEdges(0), dwWPBlurEdges(0)
{
}

void Opts::Reset()
{
    dwOpts = OPT_SS_CHANGE | OPT_SS_GRADUAL | OPT_WP_CHANGE;
    dwTimeOut = 10;
    dwPace = 4;
    dwWPChange = 1;
    dwWPChangeCount = 1;
    dwSSBlurEdges = 0;
    dwWPBlurEdges = 0;
}

void Opts::OnLoad(RegKey& key)
{
    listSS.Load();
    listWP.Load();
    // Older copies and hand edits may have stored anything.
    dwTimeOut = ClampSetting(key.GetDword(pszTimeOut, dwTimeOut), cSecondsMax);
    dwWPChange = key.GetDword(pszWPChange, dwWPChange);
    dwWPChangeCount = ClampSetting(key.GetDword(pszWPChangeCount, dwWPChangeCount), cWPCountMax);
    // Only 1 means on: an odd stored number leaves the plain black edges.
    dwSSBlurEdges = key.GetDword(pszSSBlurEdges, dwSSBlurEdges) == 1;
    dwWPBlurEdges = key.GetDword(pszWPBlurEdges, dwWPBlurEdges) == 1;
}

unsigned long ClampSetting(unsigned long value, unsigned long top)
{
    long v = static_cast<long>(value);
    if (v < 1)
        return 1;
    return value > top ? top : value;
}

void Opts::OnStore(RegKey& key)
{
    key.PutDword(pszTimeOut, dwTimeOut);
    key.PutDword(pszWPChange, dwWPChange);
    key.PutDword(pszWPChangeCount, dwWPChangeCount);
    key.PutDword(pszSSBlurEdges, dwSSBlurEdges ? 1 : 0);
    key.PutDword(pszWPBlurEdges, dwWPBlurEdges ? 1 : 0);
    listSS.Store();
    listWP.Store();
    RunOptsStoreHook(*this, key);
}
