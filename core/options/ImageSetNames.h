// ImageSetNames: the names of the image sets in use of one list, in list order. A numbered
// set's name is split at ";" the way the joined form "A;B;C" splits: a name holding ";"
// counts as several sets, an empty one as none; a folder set's path is one set whatever it
// holds. Positions in this split are the set positions stored in the registry. (Not
// exported.)
#pragma once
#include "base/Mbcs.h"
#include "options/StrList.h"

// The set name of a list item: the item less its state character.
inline const char* ImageSetName(const char* item)
{
    return *item ? item + SizeOf(item) : item;
}

// A list item whose state character is "0" is not in use.
inline bool IsImageSetInUse(const char* item)
{
    return *item != '0';
}

class ImageSetNames {
public:
    explicit ImageSetNames(const StrList& list);
    ~ImageSetNames();
    ImageSetNames(const ImageSetNames&) = delete;
    ImageSetNames& operator=(const ImageSetNames&) = delete;

    // 0 also when memory ran short.
    unsigned GetCount() const { return nCount; }
    const char* Get(unsigned index) const { return index < nCount ? ppszNames[index] : nullptr; }

private:
    char* pszJoined;      // the joined names, cut into tokens in place
    char** ppszNames;     // the tokens
    unsigned nCount;
};
