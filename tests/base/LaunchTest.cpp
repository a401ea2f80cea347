// Starting programs and documents, the DLL runner's start-up entry, associated programs
// and icons, web pages and the help launcher.
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

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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

// A file type ".vnttest" whose open command copies the opened file to a marker file;
// HKEY_CLASSES_ROOT is redirected into the test key for this process.
class AssocTest : public RegFixture {
protected:
    ScratchDir dir{"vntassoc"};
    std::string typeKey;

    void SetUp() override
    {
        RegFixture::SetUp();
        Redirect(HKEY_CLASSES_ROOT, "classes");
        Redirect(HKEY_LOCAL_MACHINE, "lm");
        typeKey = sub + "\\classes";
    }
    void SetType(const char* ext, const std::string& command)
    {
        RawSetStr(typeKey + "\\" + ext, nullptr, "VntTest.File");
        RawSetStr(typeKey + "\\VntTest.File\\shell\\open\\command", nullptr, command.c_str());
    }
    std::string Marker() { return dir / "opened.txt"; }
    void SetCopyingType() { SetType(".vnttest", "cmd.exe /c copy \"%1\" \"" + Marker() + "\""); }
    std::string MakeFile(const char* name)
    {
        std::string path = dir / name;
        EXPECT_TRUE(WriteFileBytes(path, "MZ", 2));
        return path;
    }
};

} // namespace

TEST_F(RegFixture, AutoRunDll32WritesAndRemoves)
{
    Redirect(HKEY_CURRENT_USER, "cu");
    Redirect(HKEY_LOCAL_MACHINE, "lm");
    // Both roots are redirected: these paths lie in the test key.
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    char shortPath[MAX_PATH];
    GetShortPathNameA(LibraryPath().c_str(), shortPath, sizeof shortPath);
    const std::string expected = "RunDll32.exe " + std::string(shortPath) + ",ManageWP";

    ASSERT_EQ(1, AutoRunDll32("VntTestRun", 1, 1, "ManageWP"));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), RawGet(run, "VntTestRun").type);
    EXPECT_EQ(expected, RawStr(run, "VntTestRun"));

    EXPECT_EQ(1, AutoRunDll32("VntTestRun", 0, 1, "ManageWP"));
    EXPECT_EQ(0u, RawGet(run, "VntTestRun").type);
    // The machine's Run key.
    EXPECT_EQ(1, AutoRunDll32("VntTestRun", 1, 0, "ManageWP"));
    EXPECT_EQ(expected, RawStr(run, "VntTestRun", HKEY_LOCAL_MACHINE));
    EXPECT_EQ(0u, RawGet(run, "VntTestRun").type);
}

TEST_F(AssocTest, AssociatedAppFromTheOpenCommand)
{
    ASSERT_TRUE(CreateDirectoryA((dir / "Some App").c_str(), nullptr));
    std::string app = MakeFile("Some App\\app.exe");
    char out[MAX_PATH];
    SetType(".vnttest", "\"" + app + "\" \"%1\"");
    EXPECT_EQ(1, GetAssociatedApp(".vnttest", out));
    EXPECT_EQ(app, out);

    // Unquoted: up to the first blank.
    std::string plain = MakeFile("plain.exe");
    SetType(".vnttest", plain + " /open %1");
    EXPECT_EQ(1, GetAssociatedApp(".vnttest", out));
    EXPECT_EQ(plain, out);

    // A program that does not exist, an unknown type, an empty type name.
    SetType(".vnttest", "\"C:\\No Such\\app.exe\" %1");
    EXPECT_EQ(0, GetAssociatedApp(".vnttest", out));
    EXPECT_EQ(0, GetAssociatedApp(".vntnone", out));
    EXPECT_STREQ("", out);
    EXPECT_EQ(0, GetAssociatedApp("", out));
}

TEST_F(AssocTest, OpenHTMLAsksFirstAndReportsNoBrowser)
{
    SetCopyingType();
    std::string page = MakeFile("page.vnttest");

    // Cancel: nothing opens; the library's own confirmation text.
    MsgBoxSeen s = WatchBox(IDCANCEL, [&] { EXPECT_EQ(0, OpenHTML(MSG_NO_OWNER, page.c_str(), 1, 0)); });
    ASSERT_TRUE(s.found);
    EXPECT_EQ(std::string(ResStr(-20007)), s.text);
    EXPECT_EQ("Vantora", s.title);

    // OK: the page opens with its program.
    s = WatchBox(IDOK, [&] { EXPECT_EQ(1, OpenHTML(MSG_NO_OWNER, page.c_str(), 1, 0)); });
    EXPECT_TRUE(s.found);
    EXPECT_TRUE(WaitFor([&] { return Exists(Marker()); }));

    // Without a confirmation, and with no program for the type: the failure message.
    std::string other = MakeFile("page.vntnone");
    s = WatchBox(IDOK, [&] { EXPECT_EQ(0, OpenHTML(MSG_NO_OWNER, other.c_str(), 0, 0)); });
    EXPECT_EQ(std::string(ResStr(-22022)), s.text);
}

TEST(Launch, ProcessesAndTheirHandles)
{
    char cmd3[] = "cmd.exe /c exit 3";
    HANDLE process = nullptr;
    ASSERT_EQ(1, RunProcess(nullptr, cmd3, &process, SW_HIDE));
    EXPECT_EQ(3u, ExitCodeOf(process));
    char bad[] = "no_such_program_vnt.exe";
    process = reinterpret_cast<HANDLE>(1);
    EXPECT_EQ(0, RunProcess(nullptr, bad, &process, SW_HIDE));
    EXPECT_EQ(nullptr, process);

    HANDLE started = StartProcess("cmd.exe", "/c exit 5");
    ASSERT_NE(nullptr, started);
    EXPECT_EQ(5u, ExitCodeOf(started));
}

namespace {

std::string g_helpBytes;
WPARAM g_helpOwner = 0;

LRESULT CALLBACK TestTopProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COPYDATA) { // what the help engine receives
        const COPYDATASTRUCT* cds = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        g_helpBytes.assign(static_cast<const char*>(cds->lpData), cds->cbData);
        g_helpOwner = wp;
        return TRUE;
    }
    return DefWindowProcA(h, msg, wp, lp);
}

// A top-level window of a class of its own, served by TestTopProc.
HWND MakeClassWindow(const char* cls)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TestTopProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = cls;
    RegisterClassA(&wc);
    return CreateWindowA(cls, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                         wc.hInstance, nullptr);
}

} // namespace

// The help engine's window receives the file, command and data of each request.
TEST(Launch, HelpFileBesideTheLibraryOrAsGiven)
{
    HWND hHelp = MakeClassWindow("MS_WINHELP");
    ASSERT_TRUE(hHelp);
    std::string expected = LibraryPath();
    expected = expected.substr(0, expected.rfind('\\') + 1) + "VNT.hlp";

    EXPECT_NE(0, FwHelp(hHelp, "VNT.hlp", HELP_CONTEXT, 0x320007));
    EXPECT_EQ(reinterpret_cast<WPARAM>(hHelp), g_helpOwner);
    EXPECT_NE(std::string::npos, g_helpBytes.find(expected + '\0'));
    DWORD data = 0x320007;
    EXPECT_NE(std::string::npos, g_helpBytes.find(std::string(reinterpret_cast<char*>(&data), 4)));

    g_helpBytes.clear();
    EXPECT_NE(0, FwHelp(hHelp, "C:\\Help\\Other.hlp", HELP_CONTEXT, 5));
    EXPECT_NE(std::string::npos, g_helpBytes.find(std::string("C:\\Help\\Other.hlp") + '\0'));
    EXPECT_EQ(std::string::npos, g_helpBytes.find(expected));
    DestroyWindow(hHelp);
}
