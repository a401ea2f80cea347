// PictureSequence: choosing the next picture of one sequence (the screen saver's or the
// wallpaper's) among the image sets in use of its list, numbered sets of "Images" and
// folder sets alike, apart from storing where the sequence stands. In list order the
// pictures of a set come in their order and the sets in list order; in random order every
// picture of the sets in use comes once per cycle, in a new order each cycle, and never
// the one shown last first. The position is plain data: read it once, choose as many
// pictures as needed, store it when they are shown.
#pragma once
#include "VntApi.h"
#include "options/StrList.h"

class RegKey;

struct VNT_API SequencePosition {
    unsigned long dwPic;   // index of the picture shown last within its set ("xx_LastPic")
    unsigned long dwSet;   // position of its set among the sets in use ("xx_LastSet")
    // Random order: the cycle's seed, the next place in it, the pictures it was made for,
    // and the place of the picture shown last among all pictures of the sets in use.
    unsigned long dwSeed, dwNext, dwCount, dwLast;

    SequencePosition() : dwPic(0), dwSet(0), dwSeed(0), dwNext(0), dwCount(0), dwLast(0) {}
    // The values of the screen saver's (non-zero) or the wallpaper's sequence; missing ones read 0.
    void Read(RegKey& key, int forScreenSaver);
    // Stores them; the cycle's values only in random order.
    void Write(RegKey& key, int forScreenSaver, bool randomOrder) const;
};

class VNT_API PictureSequence {
public:
    PictureSequence(const StrList& list, bool randomOrder) : list(list), bRandom(randomOrder) {}
    PictureSequence(const PictureSequence&) = delete;
    PictureSequence& operator=(const PictureSequence&) = delete;

    // The picture after pos: path and caption (buffers of cbPictBuffer bytes) and pos
    // naming it. False, with both empty and pos as it was, when none can be found.
    bool Next(SequencePosition& pos, char* path, char* caption);

private:
    const StrList& list;
    bool bRandom;
};
