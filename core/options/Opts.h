// Opts: the options record every process that shows pictures or edits settings builds,
// loads, brings in step with the image folders, uses and stores: the flag word, the
// screen saver's and the wallpaper's image-set lists, the picture interval and the
// wallpaper interval. It also picks the next picture of either sequence.
//
// Owners follow: construct, BoolOpts::Load, UpdateImageLists, use, BoolOpts::Store.
#pragma once
#include <windows.h>
#include "VntApi.h"
#include "options/BoolOpts.h"
#include "options/StrList.h"

// Bits of Opts::dwOpts.
enum : unsigned int {
    OPT_SS_RANDOM = 0x1,      // the screen saver shows its pictures in random order
    OPT_SS_CHANGE = 0x2,      // the screen saver changes the picture every dwTimeOut seconds
    OPT_SS_GRADUAL = 0x1000,  // the screen saver replaces the previous picture gradually
    OPT_WP_RANDOM = 0x10000,  // the wallpaper changer picks its pictures in random order
    OPT_WP_CHANGE = 0x20000,  // the wallpaper changer is on
};

// Bytes of the caller buffers that receive a picture's path or caption.
enum : unsigned int { cbPictBuffer = 520 };

// Ranges of the numbers the user sets: seconds between pictures (a day at most) and
// units between wallpaper changes.
enum : unsigned long { cSecondsMax = 86400, cWPCountMax = 999 };
// A stored number taken as signed (a typed "-5" arrives as 0xFFFFFFFB) and brought into
// 1..top: below 1 counts as 1, above the range as its top.
VNT_API unsigned long ClampSetting(unsigned long value, unsigned long top);

class VNT_API Opts : public BoolOpts {
public:
    // Image-set lists: one item per set, a state character ("0" not in use, anything
    // else in use) followed by the set's folder name in "Images".
    StrList listSS;
    StrList listWP;
    StrList* pCurList;              // the list being filled while the images folder is scanned
    unsigned long dwTimeOut;        // seconds between pictures of the screen saver
    unsigned long dwPace;           // pace of the gradual replacement; not stored
    unsigned long dwWPChange;       // wallpaper interval unit: 0 minutes, 1 hours, 2 days
    unsigned long dwWPChangeCount;  // units between wallpaper changes
    unsigned long dwSSBlurEdges;    // 1: the screen saver fills around a picture with its blurred copy
    unsigned long dwWPBlurEdges;    // 1: the wallpaper does

    // Registry value names under the settings key.
    static const char* const pszSS;
    static const char* const pszWP;
    static const char* const pszTimeOut;
    static const char* const pszWPChange;
    static const char* const pszWPChangeCount;
    static const char* const pszSSLastPicInd;
    static const char* const pszSSLastSetInd;
    static const char* const pszWPLastPicInd;
    static const char* const pszWPLastSetInd;
    static const char* const pszSSBlurEdges;
    static const char* const pszWPBlurEdges;
    // The publisher's copyright line drawn at the foot of full-screen pictures.
    static const char* pszCopyrightText;

    Opts();
    Opts(const Opts&) = delete;
    Opts& operator=(const Opts&) = delete;

    void Reset() override;
    void OnLoad(RegKey& key) override;
    void OnStore(RegKey& key) override;

    // Drop the sets whose folder is gone and add the new folders of "Images", in use, at
    // the head: for both lists.
    void UpdateImageLists();
    void UpdateImageList(StrList& list);
    // Per-entry callback of the images folder scan; ctx is the Opts.
    static int PopulateStrList(const char* dir, const WIN32_FIND_DATAA* found, void* ctx);
    int OnPopulateStrList(const char* dir, const WIN32_FIND_DATAA* found);

    // The next picture of the screen saver's (non-zero) or the wallpaper's (0) sequence:
    // path and caption are buffers of cbPictBuffer bytes, both empty when no picture is found.
    void GetNextPict(int forScreenSaver, char* path, char* caption);

    // Wallpaper members, defined in wallpaper/OptsWallpaper.cpp.
    // Draws the next wallpaper picture at the desktop's size into the wallpaper bitmap
    // file and makes that file the desktop wallpaper.
    void SetNextWP();
    // The wallpaper bitmap file's path (260-byte buffer): "Vantora.BMP" in the temporary
    // folder, or in the Windows folder when the temporary folder cannot be written.
    static void GetPathForBMP(char* path);
    // Deletes the wallpaper bitmap file.
    static void DelBMP();
};
