// Setup and the uninstaller while the installed program runs, a second setup into another
// folder, and folders whose names the ANSI code page cannot spell.
#include <windows.h>
#include <shlwapi.h>
#include <gtest/gtest.h>
#include "Installation.h"
#include "base/FwHandle.h"

namespace {

const char kSaverClass[] = "WindowsScreenSaverClass";

// The program and the library made to differ from the build's, as an older version would:
// bytes past the end of an image change nothing when it runs.
void MakeOld(const InstallDir& dir)
{
    for (const char* name : {"Vantora.scr", "VNT32.dll"}) {
        FwHandle file(CreateFileA((dir / name).c_str(), FILE_APPEND_DATA, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        static const char tail[4096] = {};
        DWORD written = 0;
        ASSERT_TRUE(file.IsReady() && WriteFile(file, tail, sizeof(tail), &written, nullptr)) << name;
    }
}

bool SameAsBuild(const InstallDir& dir, const char* name)
{
    return FileSize(dir / name) == FileSize(BinDir() + "\\" + name);
}

struct PreviewParent {
    HWND hwnd = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr, nullptr, nullptr);
    ~PreviewParent() { DestroyWindow(hwnd); }
};

std::string Lower(std::string text)
{
    CharLowerBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

TEST(RunningCopy, SetupEndsTheRunningProgramOrReplacesItAtRestart)
{
    InstallDir dir;
    ASSERT_EQ(0, RunSetup(dir.path));
    enum Holder { kSaver, kPreview, kOpenFile };
    struct {
        const char* what;
        Holder holder;
        int exitCode;
        bool libraryNow; // the library is the new one before any restart
    } rows[] = {{"full-screen saver", kSaver, 0, true},
                {"preview", kPreview, 0, true},
                {"library held open by another program", kOpenFile, 3010, false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        MakeOld(dir);
        ChildProcess saver;
        PreviewParent parent;
        FwHandle held;
        if (row.holder == kSaver) {
            ASSERT_TRUE(StartSaver(saver, "/s", dir.path));
            ASSERT_TRUE(WaitFor([&] { return FindProcessWindow(saver.Id(), kSaverClass) != nullptr; }));
        } else if (row.holder == kPreview) {
            ASSERT_TRUE(StartSaver(saver, "/p " + std::to_string(reinterpret_cast<ULONG_PTR>(parent.hwnd)), dir.path));
            ASSERT_TRUE(WaitFor([&] { return FindWindowExA(parent.hwnd, nullptr, kSaverClass, nullptr) != nullptr; }));
        } else {
            *held.Receive() = CreateFileA((dir / "VNT32.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr);
            ASSERT_TRUE(held.IsReady());
        }
        EXPECT_EQ(row.exitCode, RunSetup(dir.path));
        EXPECT_FALSE(saver.IsRunning());
        EXPECT_TRUE(SameAsBuild(dir, "Vantora.scr"));
        EXPECT_EQ(row.libraryNow, SameAsBuild(dir, "VNT32.dll"));
        // A library still held waits beside the old one for the restart that puts it in place.
        EXPECT_EQ(!row.libraryNow, PendingRenames().find(Lower(dir / "VNT32.dll.new")) != std::string::npos);
        EXPECT_EQ(row.libraryNow ? -1 : FileSize(BinDir() + "\\VNT32.dll"), FileSize(dir / "VNT32.dll.new"));
    }
}

TEST(RunningCopy, UninstallingEndsTheSaverAndNothingComesBack)
{
    for (bool held : {false, true}) {
        SCOPED_TRACE(held ? "ReadMe held open by another program" : "saver running");
        InstallDir dir;
        ASSERT_EQ(0, RunSetup(dir.path));
        ChildProcess saver;
        ASSERT_TRUE(StartSaver(saver, "/s", dir.path));
        ASSERT_TRUE(WaitFor([&] { return FindProcessWindow(saver.Id(), kSaverClass) != nullptr; }));
        FwHandle readMe(held ? CreateFileA((dir / "ReadMe.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                           OPEN_EXISTING, 0, nullptr)
                             : nullptr);
        ASSERT_EQ(held, readMe.IsReady());
        ASSERT_TRUE(RunUninstaller(dir.path));
        // Judged once the saver has gone: whatever it stored on its way out would show now.
        EXPECT_TRUE(saver.Wait());
        EXPECT_EQ(held, FileExists(dir.path));
        EXPECT_EQ(held, PendingRenames().find(Lower(dir / "ReadMe.txt")) != std::string::npos);
        readMe.Close();
        DeleteFileA((dir / "ReadMe.txt").c_str());
        ExpectNothingLeft(dir.path);
    }
}

TEST(RunningCopy, SecondSetupElsewhereUpdatesTheCopyThere)
{
    InstallDir first("First"), second("Second"), gone("Gone");
    ASSERT_EQ(0, RunSetup(first.path));
    EXPECT_EQ(0, RunSetup(second.path));
    EXPECT_FALSE(FileExists(second.path));
    EXPECT_EQ(first.path, RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"));
    std::string target, args;
    EXPECT_TRUE(ReadShortcut(CommonPrograms() + "\\Vantora\\Vantora Settings.lnk", target, args));
    EXPECT_EQ(0, lstrcmpiA((first / "Vantora.scr").c_str(), target.c_str())) << target;
    ASSERT_TRUE(RunUninstaller(first.path));
    ExpectNothingLeft(first.path);

    // An entry left by a copy whose folder is gone does not hold setup back.
    ASSERT_EQ(ERROR_SUCCESS, SHSetValueA(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation", REG_SZ,
                                         gone.path.c_str(), static_cast<DWORD>(gone.path.size() + 1)));
    EXPECT_EQ(0, RunSetup(second.path));
    EXPECT_TRUE(FileExists(second / "Vantora.scr"));
    EXPECT_EQ(second.path, RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"));
    ASSERT_TRUE(RunUninstaller(second.path));
    ExpectNothingLeft(second.path);
}

TEST(RunningCopy, SetupRefusesAFolderTheCodePageCannotSpell)
{
    ASSERT_EQ(1252u, GetACP());
    struct {
        const wchar_t* name;
        int exitCode;
    } rows[] = {{L"\u0424\u043e\u0442\u043e", 2}, // Cyrillic
                {L"\u0100rne", 2},                // an A with a macron, which Windows would write as A
                {L"Caf\u00e9", 0}};               // Western European, spelt by the code page
    for (const auto& row : rows) {
        ScratchDir scratch("cp");
        std::wstring folder(MAX_PATH, L'\0');
        folder.resize(MultiByteToWideChar(CP_ACP, 0, scratch.Path().c_str(), -1, &folder[0], MAX_PATH) - 1);
        folder += std::wstring(L"\\") + row.name + L"\\Vantora";
        SCOPED_TRACE(testing::Message() << folder.size() << " characters, exit " << row.exitCode);
        EXPECT_EQ(row.exitCode, RunSetup(folder));
        bool installed = GetFileAttributesW((folder + L"\\Vantora.scr").c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(row.exitCode == 0, installed);
        if (installed) {
            std::string ansi(MAX_PATH * 2, '\0');
            ansi.resize(WideCharToMultiByte(CP_ACP, 0, folder.c_str(), -1, &ansi[0], MAX_PATH * 2, nullptr, nullptr) - 1);
            EXPECT_TRUE(RunUninstaller(ansi));
        } else {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.c_str()));
            EXPECT_EQ("", RegString(HKEY_LOCAL_MACHINE, kUninstallKey, "InstallLocation"));
        }
    }
}

} // namespace
