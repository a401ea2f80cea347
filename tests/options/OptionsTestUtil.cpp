#include "OptionsTestUtil.h"
#include <cstring>
#include "base/Module.h"

void SettingsKeyTest::SetUp()
{
    RegFixture::SetUp();
    identity.reset(new AppInfo(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Vantora",
                               "VNT.hlp", 0, 0));
    identity->SetAppRootKey(path.c_str());
    ASSERT_STREQ(path.c_str(), AppInfo::Data().pszRootKey);
}

void SettingsKeyTest::TearDown()
{
    identity.reset();
    RegFixture::TearDown();
}

void ImagesTest::SetUp()
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

void ImagesTest::TearDown()
{
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    if (!home.path.empty())
        RemoveTree(home / "Images");
    SettingsKeyTest::TearDown();
}

void ImagesTest::Lay(const Disk& d)
{
    std::string path = home / "Images" + "\\" + d.name;
    if (d.first < 0) {
        ASSERT_TRUE(WriteFileBytes(path, "[x]", 3));
        return;
    }
    CreateDirectoryA(path.c_str(), nullptr); // a second Lay adds pictures
    for (int n = d.first; n <= d.last && n > 0; ++n) {
        char name[16];
        wsprintfA(name, "\\%02d.jpg", n);
        ASSERT_TRUE(WriteGrayJpeg(path + name, 40 + 4 * n));
    }
}

void ImagesTest::LayOut(const std::vector<Disk>& disk)
{
    RemoveTree(home / "Images");
    ASSERT_TRUE(CreateDirectoryA((home / "Images").c_str(), nullptr));
    for (const Disk& d : disk)
        Lay(d);
}

void ImagesTest::SetList(StrList& list, const std::vector<std::string>& items)
{
    list.RemoveAll();
    for (const std::string& item : items)
        list.AddTail(item.c_str());
}

std::string ImagesTest::Next(int forScreenSaver, std::string* caption)
{
    char path[520], text[520];
    memset(text, 'x', sizeof text);
    opts.GetNextPict(forScreenSaver, path, text);
    if (caption)
        *caption = text;
    std::string p = path, images = home / "Images\\";
    if (p.empty()) {
        EXPECT_STREQ("", text) << "a caption without a picture";
    }
    return p.compare(0, images.size(), images) == 0 ? p.substr(images.size()) : p;
}
