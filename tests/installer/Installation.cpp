#include "Installation.h"
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <gtest/gtest.h>
#include "TestUtil.h"
#include "base/FwHandle.h"

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantora";
const char kSettingsKey[] = "Software\\Corvane\\Vantora\\ControlPanel";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kDesktopKey[] = "Control Panel\\Desktop";

// Setup and the uninstaller take a few seconds alone, much longer on a loaded machine.
static const DWORD kSetupMs = 180000;

std::wstring Wide(const std::string& text)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
    return wide.empty() ? wide : wide.substr(0, wide.size() - 1);
}

// Wide, because setup is given folders the ANSI code page cannot spell.
int RunSetup(const std::wstring& dir)
{
    std::wstring cmd = L"\"" + Wide(BinDir() + "\\..\\VantoraSetup.exe") + L"\" /S /D=" + dir;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return -1;
    FwHandle process(pi.hProcess), thread(pi.hThread);
    DWORD code = 0;
    if (!WaitFor([&] { return WaitForSingleObject(process, 0) != WAIT_TIMEOUT; }, kSetupMs)) {
        TerminateProcess(process, 99);
        return -1;
    }
    return GetExitCodeProcess(process, &code) ? static_cast<int>(code) : -1;
}

InstallDir::~InstallDir()
{
    if (FileExists(path + "\\Uninstall.exe"))
        RunUninstaller(path);
}

bool RunUninstaller(const std::string& dir)
{
    ChildProcess uninstaller;
    if (!uninstaller.Start("\"" + dir + "\\Uninstall.exe\" /S") || !uninstaller.Wait(kSetupMs))
        return false;
    // The uninstaller runs on from a copy in the temporary folder; dropping the programs-list
    // entry is its last step but a message, which a silent run does not show.
    return WaitFor([] { return Entry("DisplayName").empty(); }, kSetupMs);
}

static bool Mentions(const std::string& text, const std::vector<std::string>& words)
{
    for (const std::string& w : words)
        if (StrStrIA(text.c_str(), w.c_str()))
            return true;
    return false;
}

// Every key, value name or string under root\key that mentions one of the words (case
// ignored), as readable paths.
static std::vector<std::string> RegistryMentions(HKEY root, const std::string& key,
                                                 const std::vector<std::string>& words)
{
    std::vector<std::string> found;
    RawKey k(key, root, false);
    static char name[16384]; // filled afresh before each use, recursion or not
    static BYTE data[65536];
    for (DWORD i = 0, cch = sizeof name, cb = sizeof data - 1, type;
         k.h && !RegEnumValueA(k.h, i, name, &cch, nullptr, &type, data, &cb);
         i++, cch = sizeof name, cb = sizeof data - 1) {
        data[cb] = 0;
        LPCSTR text = type == REG_SZ || type == REG_EXPAND_SZ ? reinterpret_cast<LPCSTR>(data) : "";
        if (Mentions(name, words) || Mentions(text, words))
            found.push_back(key + " : " + name + " = " + text);
    }
    for (DWORD i = 0, cch = sizeof name;
         k.h && !RegEnumKeyExA(k.h, i, name, &cch, nullptr, nullptr, nullptr, nullptr);
         i++, cch = sizeof name) {
        std::string sub = key.empty() ? name : key + "\\" + name;
        if (Mentions(name, words))
            found.push_back(sub);
        for (const std::string& f : RegistryMentions(root, sub, words))
            found.push_back(f);
    }
    return found;
}

bool PendingRename(const std::string& path)
{
    RawValue pending = RawGet("System\\CurrentControlSet\\Control\\Session Manager",
                              "PendingFileRenameOperations", HKEY_LOCAL_MACHINE);
    std::string text = pending.type == REG_MULTI_SZ ? pending.bytes : "", name = path;
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    CharLowerBuffA(&name[0], static_cast<DWORD>(name.size()));
    return text.find(name) != std::string::npos;
}

std::string WallpaperBmp()
{
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof(temp), temp);
    return std::string(temp) + "Vantora.BMP";
}

void ExpectNothingLeft(const std::string& dir)
{
    for (const std::string& file : ProductFiles())
        EXPECT_FALSE(FileExists(dir + "\\" + file)) << file;
    EXPECT_FALSE(FileExists(dir + "\\Uninstall.exe"));
    EXPECT_FALSE(FileExists(CommonPrograms() + "\\Vantora"));
    EXPECT_FALSE(FileExists(WallpaperBmp()));
    EXPECT_TRUE(ChangerWindows().empty());
    EXPECT_EQ(std::string::npos, RawStr(kDesktopKey, "Wallpaper").find("Vantora"));
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        for (const std::string& left : RegistryMentions(root, "Software", {"Vantora", "Corvane", "VTWPChanger"}))
            ADD_FAILURE() << (root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") << left;
}

static std::vector<std::string> Names(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA fd;
    HANDLE find = FindFirstFileA((folder + "\\" + pattern).c_str(), &fd);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (fd.cFileName[0] != '.')
            names.push_back(fd.cFileName);
    } while (FindNextFileA(find, &fd));
    FindClose(find);
    return names;
}

std::vector<std::string> ProductFiles()
{
    std::vector<std::string> files = {"Vantora.scr", "VNT32.dll", "ReadMe.txt"};
    for (const std::string& set : Names(BinDir() + "\\Images", "*"))
        for (const std::string& picture : Names(BinDir() + "\\Images\\" + set, "??_*.jpg"))
            files.push_back("Images\\" + set + "\\" + picture);
    return files;
}

std::string CommonPrograms()
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

std::string Shortcut(const std::string& lnk)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    char path[MAX_PATH] = "", args[MAX_PATH] = "";
    bool ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkA, reinterpret_cast<void**>(&link))) &&
              SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
              SUCCEEDED(file->Load(Wide(lnk).c_str(), STGM_READ)) &&
              SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)) &&
              SUCCEEDED(link->GetArguments(args, MAX_PATH));
    for (IUnknown* object : {static_cast<IUnknown*>(file), static_cast<IUnknown*>(link)})
        if (object)
            object->Release();
    CoUninitialize();
    return ok ? std::string(path) + "|" + args : "";
}

std::vector<HWND> ChangerWindows()
{
    std::vector<HWND> found;
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, "WPChangerWnd32", nullptr)) != nullptr;)
        found.push_back(h);
    return found;
}
