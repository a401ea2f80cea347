// Starting programs and documents, the DLL runner's start-up entry, associated programs,
// web pages and the help launcher.
#include "RegTestUtil.h"
#include "MsgBoxWatcher.h"
#include "TestUtil.h"
#include "base/FwHelp.h"
#include "base/Launch.h"
#include "base/Module.h"
#include "base/Msg.h"
#include "base/ResStr.h"

namespace {

std::string LibraryPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(GetLibraryModule(), path, sizeof path);
    return path;
}

// Waits for the process, closes its handle and gives its exit code (~0 on time-out).
DWORD ExitCodeOf(HANDLE process)
{
    DWORD code = ~0u;
    if (WaitForSingleObject(process, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return code;
}

// A file type ".vnttest" of the test's own, in HKEY_CLASSES_ROOT redirected into the test key.
class AssocTest : public RegFixture {
protected:
    ScratchDir dir{"vntassoc"};

    void SetUp() override
    {
        RegFixture::SetUp();
        Redirect(HKEY_CLASSES_ROOT, "classes");
        Redirect(HKEY_LOCAL_MACHINE, "lm");
    }
    void SetOpenCommand(const std::string& command)
    {
        RawSetStr(sub + "\\classes\\.vnttest", nullptr, "VntTest.File");
        RawSetStr(sub + "\\classes\\VntTest.File\\shell\\open\\command", nullptr, command.c_str());
    }
    std::string MakeFile(const char* name)
    {
        EXPECT_TRUE(WriteFileBytes(dir / name, "MZ", 2));
        return dir / name;
    }
};

} // namespace

TEST_F(RegFixture, AutoRunDll32WritesAndRemoves)
{
    Redirect(HKEY_CURRENT_USER, "cu"); // the Run key lies in the test key
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    char shortPath[MAX_PATH];
    GetShortPathNameA(LibraryPath().c_str(), shortPath, sizeof shortPath);
    ASSERT_EQ(1, AutoRunDll32("VntTestRun", 1, 1, "ManageWP"));
    const std::string command = "RunDll32.exe " + std::string(shortPath) + ",ManageWP";
    EXPECT_EQ(RawValue({REG_SZ, command + '\0'}), RawGet(run, "VntTestRun"));
    EXPECT_EQ(1, AutoRunDll32("VntTestRun", 0, 1, "ManageWP"));
    EXPECT_EQ(0u, RawGet(run, "VntTestRun").type);
}

TEST_F(AssocTest, AssociatedAppFromTheOpenCommand)
{
    ASSERT_TRUE(CreateDirectoryA((dir / "Some App").c_str(), nullptr));
    const std::string app = MakeFile("Some App\\app.exe"), plain = MakeFile("plain.exe");
    // Quoted, or up to the first blank; a program that does not exist is none.
    const struct { std::string command, app; } cases[] = {
        {"\"" + app + "\" \"%1\"", app}, {plain + " /open %1", plain}, {"\"C:\\No Such\\app.exe\" %1", ""}};
    for (const auto& c : cases) {
        SetOpenCommand(c.command);
        char out[MAX_PATH];
        EXPECT_EQ(!c.app.empty(), GetAssociatedApp(".vnttest", out) != 0) << c.command;
        if (!c.app.empty()) {
            EXPECT_EQ(c.app, out);
        }
    }
    char out[MAX_PATH];
    EXPECT_EQ(0, GetAssociatedApp(".vntnone", out));
    EXPECT_STREQ("", out);
}

TEST_F(AssocTest, OpenHTMLAsksFirstAndReportsNoBrowser)
{
    // The type's program copies the opened file to a marker file.
    const std::string marker = dir / "opened.txt", page = MakeFile("page.vnttest");
    SetOpenCommand("cmd.exe /c copy \"%1\" \"" + marker + "\"");
    // Cancel: nothing opens; the library's own confirmation text. OK: the page opens.
    MsgBoxSeen s = WatchBox(IDCANCEL, [&] { EXPECT_EQ(0, OpenHTML(MSG_NO_OWNER, page.c_str(), 1, 0)); });
    EXPECT_EQ(std::string(ResStr(-20007)), s.text);
    s = WatchBox(IDOK, [&] { EXPECT_EQ(1, OpenHTML(MSG_NO_OWNER, page.c_str(), 1, 0)); });
    EXPECT_TRUE(s.found);
    EXPECT_TRUE(WaitFor([&] { return GetFileAttributesA(marker.c_str()) != INVALID_FILE_ATTRIBUTES; }));
    // Without a confirmation, and with no program for the type: the failure message.
    const std::string other = MakeFile("page.vntnone");
    s = WatchBox(IDOK, [&] { EXPECT_EQ(0, OpenHTML(MSG_NO_OWNER, other.c_str(), 0, 0)); });
    EXPECT_EQ(std::string(ResStr(-22022)), s.text);
}

TEST(Launch, ProcessesAndTheirHandles)
{
    char cmd3[] = "cmd.exe /c exit 3", bad[] = "no_such_program_vnt.exe";
    HANDLE process = nullptr;
    ASSERT_EQ(1, RunProcess(nullptr, cmd3, &process, SW_HIDE));
    EXPECT_EQ(3u, ExitCodeOf(process));
    process = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(0, RunProcess(nullptr, bad, &process, SW_HIDE));
    EXPECT_EQ(nullptr, process);
    HANDLE started = StartProcess("cmd.exe", "/c exit 5");
    ASSERT_NE(nullptr, started);
    EXPECT_EQ(5u, ExitCodeOf(started));
}

namespace {

// Stands in for the help engine's window, which receives each request as WM_COPYDATA.
std::string g_helpBytes;
WPARAM g_helpOwner = 0;
LRESULT CALLBACK HelpEngineProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg != WM_COPYDATA)
        return DefWindowProcA(h, msg, wp, lp);
    const COPYDATASTRUCT* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    g_helpBytes.assign(static_cast<const char*>(cds->lpData), cds->cbData);
    g_helpOwner = wp;
    return TRUE;
}

} // namespace

// A file name alone is the library's folder; the request carries the file and the data.
TEST(Launch, HelpFileBesideTheLibraryOrAsGiven)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = HelpEngineProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "MS_WINHELP";
    RegisterClassA(&wc);
    HWND hHelp = CreateWindowA(wc.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                               nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hHelp);
    std::string folder = LibraryPath();
    folder.erase(folder.rfind('\\') + 1);
    const DWORD data = 0x320007;
    for (std::string file : {std::string("VNT.hlp"), std::string("C:\\Help\\Other.hlp")}) {
        SCOPED_TRACE(file);
        g_helpBytes.clear();
        EXPECT_NE(0, FwHelp(hHelp, file.c_str(), HELP_CONTEXT, data));
        EXPECT_EQ(reinterpret_cast<WPARAM>(hHelp), g_helpOwner);
        bool beside = file[1] != ':';
        EXPECT_NE(std::string::npos, g_helpBytes.find((beside ? folder + file : file) + '\0'));
        EXPECT_EQ(beside, g_helpBytes.find(folder) != std::string::npos);
        EXPECT_NE(std::string::npos, g_helpBytes.find(std::string(reinterpret_cast<const char*>(&data), 4)));
    }
    DestroyWindow(hHelp);
}
