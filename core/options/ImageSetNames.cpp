#include "options/ImageSetNames.h"
#include <cstring>
#include <new>
#include "base/StrToken.h"

ImageSetNames::ImageSetNames(const StrList& list) : pszJoined(nullptr), ppszNames(nullptr), nCount(0)
{
    size_t size = 1;
    for (POS__* pos = list.GetHeadPosition(); pos;) {
        const char* item = static_cast<const char*>(list.GetNext(pos));
        if (IsImageSetInUse(item))
            size += strlen(ImageSetName(item)) + 1;
    }
    pszJoined = new (std::nothrow) char[size];
    if (!pszJoined)
        return;
    char* out = pszJoined;
    for (POS__* pos = list.GetHeadPosition(); pos;) {
        const char* item = static_cast<const char*>(list.GetNext(pos));
        if (!IsImageSetInUse(item))
            continue;
        if (out != pszJoined)
            *out++ = ';';
        size_t n = strlen(ImageSetName(item));
        memcpy(out, ImageSetName(item), n);
        out += n;
    }
    *out = '\0';
    int count = GetTokenCount(pszJoined, ";");
    if (count <= 0)
        return;
    ppszNames = new (std::nothrow) char*[count];
    if (!ppszNames)
        return;
    char* next = nullptr;
    for (char* token = StrTokEx(pszJoined, ";", next); token && nCount < static_cast<unsigned>(count);
         token = StrTokEx(nullptr, ";", next))
        ppszNames[nCount++] = token;
}

ImageSetNames::~ImageSetNames()
{
    delete[] ppszNames;
    delete[] pszJoined;
}
