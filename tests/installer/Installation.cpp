#include "Installation.h"
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <gtest/gtest.h>
#include <set>
#include "TestUtil.h"
#include "base/FwHandle.h"

const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Vantora";
const char kSettingsKey[] = "Software\\Corvane\\Vantora\\ControlPanel";
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kDesktopKey[] = "Control Panel\\Desktop";

// Setup and the uninstaller take a few seconds alone, much longer on a loaded machine.
static const DWORD kSetupMs = 180000;

int RunSetup(const std::string& dir)
{
    std::wstring wide(dir.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, dir.c_str(), -1, &wide[0], static_cast<int>(wide.size())));
    return RunSetup(wide.empty() ? wide : wide.substr(0, wide.size() - 1));
}

// Wide, because setup is given folders the ANSI code page cannot spell.
int RunSetup(const std::wstring& dir)
{
    std::wstring setup(MAX_PATH, L'\0');
    setup.resize(MultiByteToWideChar(CP_ACP, 0, (BinDir() + "\\..\\VantoraSetup.exe").c_str(), -1, &setup[0], MAX_PATH));
    std::wstring cmd = L"\"" + setup.substr(0, setup.size() - 1) + L"\" /S /D=" + dir;
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    if (setup.empty() || !CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
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
    return WaitFor([] { return RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName").empty(); }, kSetupMs);
}

std::string RegString(HKEY root, const char* key, const char* name)
{
    char buf[1024] = "";
    DWORD cb = sizeof(buf) - 1, type = 0;
    return SHGetValueA(root, key, name, &type, buf, &cb) == ERROR_SUCCESS && type == REG_SZ ? buf : "";
}

DWORD RegDword(HKEY root, const char* key, const char* name, DWORD def)
{
    DWORD v = def, cb = sizeof(v), type = 0;
    return SHGetValueA(root, key, name, &type, &v, &cb) == ERROR_SUCCESS && type == REG_DWORD ? v : def;
}

static bool Mentions(const std::string& text, const std::vector<std::string>& words)
{
    std::string lower = text;
    CharLowerBuffA(&lower[0], static_cast<DWORD>(lower.size()));
    for (std::string w : words) {
        CharLowerBuffA(&w[0], static_cast<DWORD>(w.size()));
        if (lower.find(w) != std::string::npos)
            return true;
    }
    return false;
}

std::vector<std::string> RegistryMentions(HKEY root, const std::string& key, const std::vector<std::string>& words)
{
    std::vector<std::string> found;
    HKEY h;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return found;
    char name[16384];
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; i++) {
        DWORD cch = sizeof(name), cb = static_cast<DWORD>(data.size() - 1), type = 0;
        if (RegEnumValueA(h, i, name, &cch, nullptr, &type, data.data(), &cb) != ERROR_SUCCESS)
            break;
        data[cb] = 0;
        std::string text = type == REG_SZ || type == REG_EXPAND_SZ ? reinterpret_cast<char*>(data.data()) : "";
        if (Mentions(name, words) || Mentions(text, words))
            found.push_back(key + " : " + name + " = " + text);
    }
    for (DWORD i = 0;; i++) {
        DWORD cch = sizeof(name);
        if (RegEnumKeyExA(h, i, name, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        std::string sub = key.empty() ? name : key + "\\" + name;
        if (Mentions(name, words))
            found.push_back(sub);
        for (const std::string& f : RegistryMentions(root, sub, words))
            found.push_back(f);
    }
    RegCloseKey(h);
    return found;
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA fa;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fa))
        return -1;
    return static_cast<LONGLONG>(fa.nFileSizeHigh) << 32 | fa.nFileSizeLow;
}

std::string PendingRenames()
{
    std::vector<char> data(1 << 20);
    DWORD cb = static_cast<DWORD>(data.size() - 2), type = 0;
    if (SHGetValueA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager",
                    "PendingFileRenameOperations", &type, data.data(), &cb) != ERROR_SUCCESS || type != REG_MULTI_SZ)
        return "";
    std::string text(data.data(), cb);
    for (char& c : text)
        c = c ? c : '|';
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
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
    EXPECT_EQ(std::string::npos, RegString(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper").find("Vantora"));
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE})
        for (const std::string& left : RegistryMentions(root, "Software", {"Vantora", "Corvane", "VTWPChanger"}))
            ADD_FAILURE() << (root == HKEY_CURRENT_USER ? "HKCU\\" : "HKLM\\") << left;
}

// The names in folder matching pattern.
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

std::string VersionText(const std::string& file, const char* name)
{
    DWORD ignored = 0, size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    std::vector<char> info(size + 1);
    char* text = nullptr;
    UINT len = 0;
    std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    if (!size || !GetFileVersionInfoA(file.c_str(), 0, size, info.data()) ||
        !VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &len) || !len)
        return "";
    return text;
}

std::string ShortPathOf(const std::string& path)
{
    char buf[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof(buf));
    return n && n < sizeof(buf) ? std::string(buf) : path;
}

std::string CommonPrograms()
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

bool ReadShortcut(const std::string& lnk, std::string& target, std::string& args)
{
    CoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    bool ok = false;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR wide[MAX_PATH];
        MultiByteToWideChar(CP_ACP, 0, lnk.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = "", arguments[MAX_PATH] = "";
        ok = SUCCEEDED(file->Load(wide, STGM_READ)) &&
             SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0)) &&
             SUCCEEDED(link->GetArguments(arguments, MAX_PATH));
        target = path;
        args = arguments;
    }
    if (file)
        file->Release();
    if (link)
        link->Release();
    CoUninitialize();
    return ok;
}

std::vector<HWND> ChangerWindows()
{
    std::vector<HWND> found;
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, "WPChangerWnd32", nullptr)) != nullptr;)
        found.push_back(h);
    return found;
}

DWORD WindowProcess(HWND hwnd)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool StartChangerFrom(const std::string& library)
{
    HMODULE lib = LoadLibraryA(library.c_str());
    if (!lib)
        return false;
    auto run = reinterpret_cast<void (*)(HWND, int)>(GetProcAddress(lib, "_Z12RunWPChangerP6HWND__i"));
    if (run)
        run(nullptr, 1);
    FreeLibrary(lib);
    return run != nullptr;
}

int ScreenColours()
{
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    std::set<int> colours;
    HDC screen = GetDC(nullptr);
    for (int y = h / 4; y < h * 3 / 4; y += h / 32)
        for (int x = w / 4; x < w * 3 / 4; x += w / 32) {
            COLORREF c = GetPixel(screen, x, y);
            colours.insert((GetRValue(c) >> 3) << 10 | (GetGValue(c) >> 3) << 5 | GetBValue(c) >> 3);
        }
    ReleaseDC(nullptr, screen);
    return static_cast<int>(colours.size());
}
