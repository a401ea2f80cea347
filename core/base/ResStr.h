// String resources. A positive id names a string of the application's module, a negative
// one a string of the library's own module (AppInfo::ConvertResourceId); an explicit
// module overrides that choice. A ResStr never reads as null: an empty one is "".
#pragma once
#include <windows.h>
#include <stdarg.h>
#include "VntApi.h"
#include "base/Format.h"

class VNT_API ResStr {
public:
    char* psz; // owned heap copy; null when empty

    ResStr() : psz(nullptr) {}
    explicit ResStr(int id, HINSTANCE inst = nullptr);
    ~ResStr();
    ResStr(const ResStr&) = delete;
    ResStr& operator=(const ResStr&) = delete;

    // Replaces the text by string id; a missing or empty string leaves the object empty.
    const char* Load(int id, HINSTANCE inst = nullptr);
    void Empty();
    int IsEmpty() const { return !psz || !psz[0]; }
    operator const char*() const { return psz ? psz : ""; }

protected:
    // Takes a heap copy of text; 0 when memory is short (the object stays empty).
    int Assign(const char* text);
};

// A ResStr formatted with printf rules from the string's text and the further arguments.
class VNT_API ResStrFmt : public ResStr {
public:
    explicit ResStrFmt(int id, ...);
};
