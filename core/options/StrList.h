// StrList: a list of strings that owns its strings and keeps itself in one REG_BINARY
// value under the settings key: each item with its terminating zero, then one more zero
// (an empty list is the single byte 0).
#pragma once
#include "VntApi.h"
#include "base/FwList.h"

class VNT_API StrList : public FwList {
public:
    const char* pszValue; // name of the registry value; not owned

    explicit StrList(const char* name);
    ~StrList() override;

    // Add a copy of s; result: its position, null when out of memory.
    POS__* AddHead(const char* s);
    POS__* AddTail(const char* s);
    POS__* AddHead(char* s) { return AddHead(static_cast<const char*>(s)); }
    POS__* AddTail(char* s) { return AddTail(static_cast<const char*>(s)); }

    // Replaces the items by the stored ones (none when the value is missing or unusable).
    void Load();
    // Writes all items, replacing the stored value.
    void Store();

protected:
    // Frees an item's string when it leaves the list (code 1); always 1.
    static int FwListCallBack(unsigned long userValue, unsigned int code, void* item);
};
