// SetPictures: the pictures of one image-set folder, read with one directory listing. For
// each picture number it keeps the entry that a search for "NN*.jpg" in the folder finds
// first, so that a choice among many numbers needs no search of its own per number.
// (Not exported.)
#pragma once
#include <cstddef>
#include <string>

class SetPictures {
public:
    static const int kNumbers = 50;

    // Reads the folder; one that is missing or no folder holds no pictures. May throw
    // std::bad_alloc.
    explicit SetPictures(const char* folder);
    SetPictures(const SetPictures&) = delete;
    SetPictures& operator=(const SetPictures&) = delete;

    bool IsFolder() const { return bFolder; }
    // The file name of picture index pic (number pic + 1); null when no entry carries the
    // number or the first that does is a folder.
    const char* Find(unsigned long pic) const;

    // The pictures the set holds, and the index of the k-th of them in number order
    // (kNumbers when k is past the last).
    int GetCount() const;
    unsigned long IndexOf(int k) const;

    // The number (1 to 50) that a file name matching "NN*.jpg" carries; 0 for any other
    // and for a name not terminated within size bytes.
    static int NumberOf(const char* name, size_t size);

private:
    enum { atNone = -1, atFolder = -2 };
    bool bFolder;
    int at[kNumbers];   // offset of the name in names, or atNone / atFolder
    std::string names;  // the names found, each with its terminating zero
};
