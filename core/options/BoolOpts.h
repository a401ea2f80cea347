// BoolOpts: a 32-bit word of on/off options kept in one REG_DWORD value under the
// settings key. A derived record adds values of its own through the OnLoad and OnStore
// hooks and gives its defaults in Reset.
#pragma once
#include "VntApi.h"

class RegKey;

class VNT_API BoolOpts {
public:
    unsigned int dwOpts;  // the flag word
    const char* pszName;  // name of its registry value; not owned

    explicit BoolOpts(const char* name);

    operator unsigned int() const { return dwOpts; }
    operator unsigned long() const { return dwOpts; }
    // 1 when any bit of mask is set.
    int IsOn(unsigned int mask) { return (dwOpts & mask) ? 1 : 0; }
    void Set(unsigned int mask, int on);
    void Get(unsigned int mask, int& out) { out = IsOn(mask); }

    virtual void Reset();
    virtual void OnLoad(RegKey& key);
    virtual void OnStore(RegKey& key);

    // Reset, then read the record; 1 when the settings key could be opened.
    int Load();
    // Write the record, the flag word last; 1 when the settings key could be opened.
    int Store();
};
