#include "options/Opts.h"
#include <shlwapi.h>
#include "base/Module.h"

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

// Temporary: shows the first image set (the first folder of "Images" beside the library,
// in name order), its pictures in name order, one per call and round again, until the
// image-set lists and the choice of the next picture are in place.
int Opts::GetNextPict(int, char* pszPath, char* pszCaption)
{
    pszPath[0] = '\0';
    pszCaption[0] = '\0';
    static char s_szLast[MAX_PATH]; // file name of the picture shown last
    // The smallest name in the folder matching the pattern (folders or files), after pszAfter
    // when one is found there.
    auto findFirst = [](const char* pszFolder, const char* pszPattern, bool bDirs,
                        const char* pszAfter, char* pszName) {
        char szFind[MAX_PATH];
        pszName[0] = '\0';
        if (!PathCombineA(szFind, pszFolder, pszPattern))
            return false;
        WIN32_FIND_DATAA fd;
        HANDLE hFind = FindFirstFileA(szFind, &fd);
        if (hFind == INVALID_HANDLE_VALUE)
            return false;
        char szFirst[MAX_PATH] = "";
        do {
            bool bDir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            if (bDir != bDirs || lstrcmpA(fd.cFileName, ".") == 0 || lstrcmpA(fd.cFileName, "..") == 0)
                continue;
            if (!szFirst[0] || lstrcmpiA(fd.cFileName, szFirst) < 0)
                lstrcpynA(szFirst, fd.cFileName, MAX_PATH);
            if (lstrcmpiA(fd.cFileName, pszAfter) > 0 && (!pszName[0] || lstrcmpiA(fd.cFileName, pszName) < 0))
                lstrcpynA(pszName, fd.cFileName, MAX_PATH);
        } while (FindNextFileA(hFind, &fd));
        FindClose(hFind);
        if (!pszName[0])
            lstrcpynA(pszName, szFirst, MAX_PATH);
        return pszName[0] != '\0';
    };
    char szImages[MAX_PATH], szSet[MAX_PATH], szSetDir[MAX_PATH], szFile[MAX_PATH];
    DWORD len = GetModuleFileNameA(GetLibraryModule(), szImages, MAX_PATH);
    if (len == 0 || len >= MAX_PATH || !PathRemoveFileSpecA(szImages) || !PathAppendA(szImages, "Images"))
        return 0;
    if (!findFirst(szImages, "*", true, "", szSet) || !PathCombineA(szSetDir, szImages, szSet) ||
        !findFirst(szSetDir, "*.jpg", false, s_szLast, szFile) || !PathCombineA(pszPath, szSetDir, szFile)) {
        pszPath[0] = '\0';
        return 0;
    }
    lstrcpynA(s_szLast, szFile, MAX_PATH);
    // Caption: the words after "NN_", underscores as blanks, without the extension.
    const char* pszWords = szFile;
    if (szFile[0] >= '0' && szFile[0] <= '9' &&
        szFile[1] >= '0' && szFile[1] <= '9' && szFile[2] == '_')
        pszWords = szFile + 3;
    lstrcpynA(pszCaption, pszWords, MAX_PATH);
    PathRemoveExtensionA(pszCaption);
    for (char* p = pszCaption; *p; p = CharNextA(p))
        if (*p == '_')
            *p = ' ';
    return 1;
}
