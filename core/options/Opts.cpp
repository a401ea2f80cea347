#include "options/Opts.h"

const char* Opts::pszCopyrightText = "Photographs \xA9 Corvane Software";

Opts::Opts() { Reset(); }

void Opts::Reset()
{
    dwOpts = OPT_SS_CHANGE | OPT_SS_GRADUAL | OPT_WP_CHANGE;
    dwTimeOut = 10;
    dwPace = 4;
}

int Opts::Load() { return 1; }
int Opts::Store() { return 1; }
int Opts::UpdateImageLists() { return 1; }

int Opts::GetNextPict(int, char* pszPath, char* pszCaption)
{
    pszPath[0] = '\0';
    pszCaption[0] = '\0';
    return 0;
}
