// The options record. For now it holds the default settings only: nothing is read from or
// written to the registry and no picture is chosen.
#pragma once
#include <windows.h>
#include "VntApi.h"

#define OPT_SS_RANDOM 0x1
#define OPT_SS_CHANGE 0x2
#define OPT_SS_GRADUAL 0x1000
#define OPT_WP_RANDOM 0x10000
#define OPT_WP_CHANGE 0x20000

class VNT_API Opts {
public:
    DWORD dwOpts;
    DWORD dwTimeOut;
    DWORD dwPace;

    static const char* pszCopyrightText;

    Opts();
    void Reset();
    int Load();
    int Store();
    int UpdateImageLists();
    // Fills path and caption (buffers of 520 bytes); path is empty when no picture was found.
    int GetNextPict(int bForScreenSaver, char* pszPath, char* pszCaption);
};
