#include "options/SetPictures.h"
#include <windows.h>
#include <cstring>
#include "base/FwFindFile.h"
#include "base/Path.h"

namespace {

// The length of a search pattern for one number: "\NN*.jpg" after the folder.
const size_t kPatternTail = 8;

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

} // namespace

SetPictures::SetPictures(const char* folder) : bFolder(false)
{
    for (int& a : at)
        a = atNone;
    if (!folder || !FolderExists(folder))
        return;
    bFolder = true;
    // A folder whose per-number search pattern the system cannot take has no pictures,
    // as when each number was searched for on its own.
    size_t len = strlen(folder);
    if (len + kPatternTail >= MAX_PATH)
        return;
    std::string pattern(folder);
    pattern += "\\*";
    FwFindFile find;
    for (bool more = find.First(pattern.c_str()); more; more = find.Next()) {
        // The system matches a pattern against the short name too.
        int number = NumberOf(find.data.cFileName, sizeof find.data.cFileName);
        if (!number)
            number = NumberOf(find.data.cAlternateFileName, sizeof find.data.cAlternateFileName);
        if (!number || at[number - 1] != atNone)
            continue; // no picture, or not the first entry of its number
        if (find.IsDir()) {
            at[number - 1] = atFolder;
            continue;
        }
        at[number - 1] = static_cast<int>(names.size());
        names.append(find.data.cFileName, strlen(find.data.cFileName) + 1);
    }
}

const char* SetPictures::Find(unsigned long pic) const
{
    if (pic >= static_cast<unsigned long>(kNumbers) || at[pic] < 0)
        return nullptr;
    return names.c_str() + at[pic];
}

int SetPictures::GetCount() const
{
    int count = 0;
    for (int a : at)
        count += a >= 0;
    return count;
}

unsigned long SetPictures::IndexOf(int k) const
{
    for (int i = 0; i < kNumbers; ++i)
        if (at[i] >= 0 && k-- == 0)
            return i;
    return kNumbers;
}

int SetPictures::NumberOf(const char* name, size_t size)
{
    // "NN*.jpg": two digits, anything, ".jpg" in any case. No double-byte character can
    // end in ".jpg" or begin with a digit, so bytes serve.
    size_t len = strnlen(name, size);
    if (len < 6 || len >= size || !IsDigit(name[0]) || !IsDigit(name[1]))
        return 0;
    const char* ext = name + len - 4;
    if (ext[0] != '.' || LowerAscii(ext[1]) != 'j' || LowerAscii(ext[2]) != 'p' || LowerAscii(ext[3]) != 'g')
        return 0;
    int number = (name[0] - '0') * 10 + (name[1] - '0');
    return number >= 1 && number <= kNumbers ? number : 0;
}
