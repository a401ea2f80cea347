// Setup while the installed program runs, and folders whose names the ANSI code page
// cannot spell.
#include <windows.h>
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

LONGLONG FileSize(const std::string& path) // -1 when missing
{
    WIN32_FILE_ATTRIBUTE_DATA fa;
    return GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &fa)
               ? static_cast<LONGLONG>(fa.nFileSizeHigh) << 32 | fa.nFileSizeLow : -1;
}

bool SameAsBuild(const InstallDir& dir, const char* name)
{
    return FileSize(dir / name) == FileSize(BinDir() + "\\" + name);
}

struct PreviewParent {
    HWND hwnd = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr, nullptr, nullptr, nullptr);
    ~PreviewParent() { DestroyWindow(hwnd); }
};

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
        EXPECT_EQ(!row.libraryNow, PendingRename(dir / "VNT32.dll.new"));
        EXPECT_EQ(row.libraryNow ? -1 : FileSize(BinDir() + "\\VNT32.dll"), FileSize(dir / "VNT32.dll.new"));
    }
}

TEST(RunningCopy, SetupRefusesAFolderTheCodePageCannotSpell)
{
    ASSERT_EQ(1252u, GetACP());
    struct {
        const wchar_t* name;
        const char* ansi; // the name in the code page; setup ends with 2 when there is none
    } rows[] = {{L"\u0424\u043e\u0442\u043e", nullptr}, // Cyrillic
                {L"\u0100rne", nullptr}, // an A with a macron, which Windows would write as A
                {L"Caf\u00e9", "Caf\xe9"}}; // Western European, spelt by the code page
    for (const auto& row : rows) {
        ScratchDir scratch("cp");
        std::wstring folder = Wide(scratch.Path()) + L"\\" + row.name + L"\\Vantora";
        SCOPED_TRACE(testing::Message() << folder.size() << " characters");
        EXPECT_EQ(row.ansi ? 0 : 2, RunSetup(folder));
        bool installed = GetFileAttributesW((folder + L"\\Vantora.scr").c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(row.ansi != nullptr, installed);
        if (installed) {
            EXPECT_TRUE(RunUninstaller(scratch / row.ansi + "\\Vantora"));
        } else {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(folder.c_str()));
            EXPECT_EQ("", Entry("InstallLocation"));
        }
    }
}

} // namespace
