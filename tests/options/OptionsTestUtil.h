// Helpers of the options tests: a private settings key, raw registry access (shared with
// the base tests) and image sets in a scratch home folder.
#pragma once
#include "../base/RegTestUtil.h"
#include <memory>
#include <string>
#include <vector>
#include "TestUtil.h"
#include "base/AppInfo.h"
#include "options/Opts.h"

// The settings key of the test is its private key (RegFixture), which does not exist at
// its start: an identity pushed over the library's own points its root key there.
class SettingsKeyTest : public RegFixture {
protected:
    std::unique_ptr<AppInfo> identity;

    SettingsKeyTest() { bCreate = false; }

    void SetUp() override;
    void TearDown() override;

    RawValue Value(const char* name) const { return RawGet(sub, name); }
    bool HasValue(const char* name) const { return Value(name).type != 0; }
    // A REG_DWORD value; def when missing or of another kind.
    DWORD Dword(const char* name, DWORD def = 0xBADF00D) const
    {
        RawValue v = Value(name);
        bool dword = v.type == REG_DWORD && v.bytes.size() == sizeof(DWORD);
        return dword ? *reinterpret_cast<const DWORD*>(v.bytes.data()) : def;
    }
    void SetDword(const char* name, DWORD v) { RawSetDword(sub, name, v); }
};

using Strs = std::vector<std::string>;

// The items of a list, head first.
inline Strs Items(const StrList& list)
{
    Strs items;
    for (POS__* pos = list.GetHeadPosition(); pos;)
        items.push_back(static_cast<const char*>(list.GetNext(pos)));
    return items;
}

// A folder of "Images": pictures "NN.jpg" first to last; last 0: an empty folder; first -1:
// a plain file instead.
struct Disk {
    std::string name;
    int first, last;
};

// "Images" beside the loaded library, where both the list update and the picture search
// look (the home folder, named by a private "Home", is the library's folder), made for each
// test and removed after it.
class ImagesTest : public SettingsKeyTest {
protected:
    struct Folder {
        std::string path;
        std::string operator/(const std::string& name) const { return path + "\\" + name; }
    } home;
    Opts opts;

    void SetUp() override;
    void TearDown() override;
    void Lay(const Disk& d);
    // Images holding these folders only.
    void LayOut(const std::vector<Disk>& disk);
    static void SetList(StrList& list, const std::vector<std::string>& items);
    // "set\file" of the next picture below Images, "" for none.
    std::string Next(int forScreenSaver = 1, std::string* caption = nullptr);
};
