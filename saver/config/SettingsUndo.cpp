#include "config/SettingsUndo.h"
#include "base/AppInfo.h"
#include "base/RegKey.h"
#include "options/Opts.h"
#include "wallpaper/OptsWallpaper.h"
#include "wallpaper/UserWallpaper.h"

static const char kDesktopKey[] = "HKCU\\Control Panel\\Desktop";
static const char* const kStyleNames[] = {"WallpaperStyle", "TileWallpaper", nullptr};

static bool Listed(const char* const* names, const char* name)
{
    for (; *names; names++)
        if (lstrcmpiA(*names, name) == 0)
            return true;
    return false;
}

SettingsUndo::SettingsUndo() : bTested(0)
{
    settings = ReadValues(AppInfo::Data().pszRootKey, nullptr);
    desktop = ReadValues(kDesktopKey, kStyleNames);
    GetDesktopWallpaper(szWallpaper);
    szKept[0] = '\0';
}

SettingsUndo::~SettingsUndo()
{
    if (szKept[0])
        DeleteFileA(szKept);
}

std::vector<SettingsUndo::Value> SettingsUndo::ReadValues(const char* path, const char* const* names)
{
    std::vector<Value> values;
    RegKey key(path, RegKey::opRead);
    DWORD cchNameMax = 0, cbDataMax = 0;
    if (!key.IsReady() || RegQueryInfoKeyA(key.GetKey(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, &cchNameMax, &cbDataMax, nullptr, nullptr) != ERROR_SUCCESS)
        return values;
    std::vector<char> name(cchNameMax + 2);
    std::vector<BYTE> data(cbDataMax + 1);
    for (DWORD i = 0;; i++) {
        DWORD cchName = static_cast<DWORD>(name.size()), cbData = static_cast<DWORD>(data.size()), type = 0;
        if (RegEnumValueA(key.GetKey(), i, name.data(), &cchName, nullptr, &type, data.data(), &cbData) !=
            ERROR_SUCCESS)
            break;
        if (!names || Listed(names, name.data()))
            values.push_back({std::string(name.data(), cchName), type,
                              std::vector<BYTE>(data.begin(), data.begin() + cbData)});
    }
    return values;
}

void SettingsUndo::WriteValues(const char* path, const char* const* names, const std::vector<Value>& values)
{
    RegKey key(path, 1);
    if (!key.IsReady())
        return;
    if (names) {
        for (; *names; names++)
            key.DelValue(*names);
    } else {
        // Values a Test added go too: enumerate afresh after each deletion.
        char name[260];
        DWORD cch = sizeof name;
        while (RegEnumValueA(key.GetKey(), 0, name, &cch, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
               key.DelValue(name))
            cch = sizeof name;
    }
    for (const Value& v : values)
        RegSetValueExA(key.GetKey(), v.name.c_str(), 0, v.type, v.data.empty() ? nullptr : v.data.data(),
                       static_cast<DWORD>(v.data.size()));
    key.Flush();
}

void SettingsUndo::BeforeTest()
{
    if (bTested)
        return;
    bTested = 1;
    char ours[MAX_PATH];
    Opts::GetPathForBMP(ours);
    if (!IsOurWallpaper(szWallpaper) || lstrlenA(ours) + 6 >= MAX_PATH)
        return;
    lstrcpyA(szKept, ours);
    lstrcatA(szKept, ".undo");
    if (!CopyFileA(ours, szKept, FALSE))
        szKept[0] = '\0';
}

void SettingsUndo::Restore()
{
    if (!bTested)
        return;
    WriteValues(AppInfo::Data().pszRootKey, nullptr, settings);
    if (szKept[0]) {
        char ours[MAX_PATH];
        Opts::GetPathForBMP(ours);
        CopyFileA(szKept, ours, FALSE);
    } else if (!IsOurWallpaper(szWallpaper)) {
        Opts::DelBMP(); // the Test's picture was never the user's wallpaper
    }
    // The system reads the style when it is told of the wallpaper.
    WriteValues(kDesktopKey, kStyleNames, desktop);
    SetWallpaper(szWallpaper[0] ? szWallpaper : nullptr);
}
