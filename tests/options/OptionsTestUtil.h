// Helpers of the options tests: a private settings key and image sets beside the library.
#pragma once
#include "../base/RegTestUtil.h"
#include <cstring>
#include <memory>
#include <vector>
#include "TestUtil.h"
#include "base/AppInfo.h"
#include "base/Module.h"
#include "options/Opts.h"

using Strs = std::vector<std::string>;

// The items of a list, head first.
inline Strs Items(const StrList& list)
{
    Strs items;
    for (POS__* pos = list.GetHeadPosition(); pos;)
        items.push_back(static_cast<const char*>(list.GetNext(pos)));
    return items;
}

// The settings key is the test's private key, missing at its start: an identity pushed
// over the library's own (until the fixture goes) points the root key there.
class SettingsKeyTest : public RegFixture {
protected:
    std::unique_ptr<AppInfo> identity;

    SettingsKeyTest() { bCreate = false; }
    void SetUp() override
    {
        RegFixture::SetUp();
        identity.reset(new AppInfo(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora", "VNT.hlp", 0, 0));
        identity->SetAppRootKey(path.c_str());
        ASSERT_STREQ(path.c_str(), AppInfo::Data().pszRootKey);
    }
    RawValue Value(const char* name) const { return RawGet(sub, name); }
    // A REG_DWORD value; def when missing or of another kind.
    DWORD Dword(const char* name, DWORD def = 0xBADF00D) const
    {
        RawValue v = Value(name);
        return v.type == REG_DWORD && v.bytes.size() == 4 ? *reinterpret_cast<const DWORD*>(v.bytes.data()) : def;
    }
    void SetDword(const char* name, DWORD v) { RawSetDword(sub, name, v); }
};

// A folder of "Images": pictures "NN.jpg" first to last; last 0: an empty folder; first -1:
// a plain file instead. A second one of the same name adds pictures.
struct Disk { std::string name; int first, last; };

// "Images" beside the loaded library, where both the list update and the picture search
// look (a private "Home" names the library's folder), laid out anew by each test.
class ImagesTest : public SettingsKeyTest {
protected:
    struct Folder {
        std::string path;
        std::string operator/(const std::string& name) const { return path + "\\" + name; }
    } home;
    Opts opts;

    void SetUp() override
    {
        SettingsKeyTest::SetUp();
        char lib[MAX_PATH];
        DWORD n = GetModuleFileNameA(GetLibraryModule(), lib, sizeof lib);
        ASSERT_TRUE(n > 0 && n < sizeof lib);
        home.path.assign(lib, strrchr(lib, '\\'));
        RawSetStr(sub + "\\lm\\Software\\Corvane\\Vantora\\Setup", "Home", home.path.c_str());
        RawKey lm(sub + "\\lm", HKEY_CURRENT_USER, false);
        ASSERT_EQ(ERROR_SUCCESS, RegOverridePredefKey(HKEY_LOCAL_MACHINE, lm.h));
        LayOut({}); // also clears what a run that was cut short left
    }
    void TearDown() override
    {
        if (!home.path.empty())
            RemoveTree(home / "Images");
        SettingsKeyTest::TearDown(); // ends the redirection
    }
    // Images holding these folders only.
    void LayOut(const std::vector<Disk>& disk)
    {
        RemoveTree(home / "Images");
        ASSERT_TRUE(CreateDirectoryA((home / "Images").c_str(), nullptr));
        for (const Disk& d : disk) {
            std::string path = home / "Images\\" + d.name;
            if (d.first < 0)
                ASSERT_TRUE(WriteFileBytes(path, "[x]", 3));
            else
                CreateDirectoryA(path.c_str(), nullptr);
            for (int n = d.first; n <= d.last && n > 0; ++n) {
                char name[16];
                wsprintfA(name, "\\%02d.jpg", n);
                ASSERT_TRUE(WriteGrayJpeg(path + name, 40 + 4 * n));
            }
        }
    }
    static void SetList(StrList& list, const Strs& items)
    {
        list.RemoveAll();
        for (const std::string& item : items)
            list.AddTail(item.c_str());
    }
    // "set\file" of the next picture below Images, "" for none.
    std::string Next(int forScreenSaver = 1, std::string* caption = nullptr)
    {
        char path[cbPictBuffer], text[cbPictBuffer];
        memset(text, 'x', sizeof text);
        opts.GetNextPict(forScreenSaver, path, text);
        if (caption)
            *caption = text;
        EXPECT_TRUE(*path || !*text) << "a caption without a picture";
        std::string p = path, images = home / "Images\\";
        return p.compare(0, images.size(), images) == 0 ? p.substr(images.size()) : p;
    }
};
