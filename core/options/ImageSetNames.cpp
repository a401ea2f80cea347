#include "options/ImageSetNames.h"
#include <cstring>
#include <new>
#include "base/StrToken.h"
#include "options/ImageSetInfo.h"

ImageSetNames::ImageSetNames(const StrList& list) : pszJoined(nullptr), ppszNames(nullptr), nCount(0)
{
    size_t size = 1;
    for (POS__* pos = list.GetHeadPosition(); pos;) {
        const char* item = static_cast<const char*>(list.GetNext(pos));
        if (IsImageSetInUse(item))
            size += strlen(ImageSetName(item)) + 1;
    }
    pszJoined = new (std::nothrow) char[size];
    ppszNames = new (std::nothrow) char*[size];
    if (!pszJoined || !ppszNames)
        return;
    // Each name ends with its own terminator; a numbered set's name is split at ";" the way
    // the joined form "A;B;C" splits, a folder set's path never.
    char* out = pszJoined;
    for (POS__* pos = list.GetHeadPosition(); pos;) {
        const char* item = static_cast<const char*>(list.GetNext(pos));
        if (!IsImageSetInUse(item))
            continue;
        const char* name = ImageSetName(item);
        size_t n = strlen(name);
        memcpy(out, name, n + 1);
        if (IsFolderSetName(out)) {
            ppszNames[nCount++] = out;
        } else {
            char* next = nullptr;
            for (char* token = StrTokEx(out, ";", next); token; token = StrTokEx(nullptr, ";", next))
                ppszNames[nCount++] = token;
        }
        out += n + 1;
    }
}

ImageSetNames::~ImageSetNames()
{
    delete[] ppszNames;
    delete[] pszJoined;
}
