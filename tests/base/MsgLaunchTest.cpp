// Message boxes, string resources chosen by the id's sign; starting programs, the DLL
// runner's start-up entry, associated programs, web pages and the help launcher.
#include "RegTestUtil.h"
#include <thread>
#include "TestUtil.h"
#include "base/AppInfo.h"
#include "base/FwHelp.h"
#include "base/Launch.h"
#include "base/Module.h"
#include "base/Msg.h"
#include "base/ResStr.h"

namespace {

// Message boxes block their caller: WatchBox runs the call while a watcher thread finds
// the box this thread shows, records what it looks like and presses one of its buttons.
struct MsgBoxSeen { bool found = false; HWND hOwner = nullptr; std::string title, text; };

template <class F>
MsgBoxSeen WatchBox(int button, F show)
{
    MsgBoxSeen s;
    DWORD tid = GetCurrentThreadId();
    std::thread watcher([&] {
        HWND box = nullptr;
        for (int i = 0; i < 1500 && !box; i++, Sleep(10))
            for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, "#32770", nullptr)) != nullptr;)
                if (GetWindowThreadProcessId(h, nullptr) == tid && IsWindowVisible(h))
                    box = h;
        if (!box)
            return;
        s.found = true;
        s.hOwner = GetWindow(box, GW_OWNER);
        char text[1100] = "";
        GetWindowTextA(box, text, sizeof text);
        s.title = text;
        s.text = GetDlgItemTextA(box, 0xFFFF, text, sizeof text) ? text : ""; // the message
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    });
    show();
    watcher.join();
    return s;
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

TEST(Msg, OwnerCaptionTextAndResult)
{
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE;
    HWND main = CreateWindowA("STATIC", "main", style, 10, 10, 200, 100, nullptr, nullptr, nullptr, nullptr);
    HWND popup = CreateWindowA("STATIC", "popup", style, 10, 10, 200, 100, main, nullptr, nullptr, nullptr);
    ASSERT_TRUE(main && popup);
    SetForegroundWindow(popup);
    ASSERT_EQ(popup, GetLastActivePopup(main));
    // The given window's last active popup owns the box.
    MsgBoxSeen s = WatchBox(IDCANCEL, [&] {
        EXPECT_EQ(IDCANCEL, Msg(main, MB_ICONINFORMATION | MB_OKCANCEL, "%s has %d pictures", "Nature", 14));
    });
    EXPECT_EQ(popup, s.hOwner);
    EXPECT_EQ("Vantora", s.title);
    EXPECT_EQ("Nature has 14 pictures", s.text);
    DestroyWindow(popup);
    // No owner given: the active window; MSG_NO_OWNER: none. Negative ids are library texts.
    SetForegroundWindow(main);
    ASSERT_EQ(main, GetActiveWindow());
    s = WatchBox(IDOK, [] { EXPECT_EQ(IDOK, Msg(nullptr, MB_ICONERROR, -22022)); });
    EXPECT_EQ(main, s.hOwner);
    EXPECT_EQ(std::string(ResStr(-22022)), s.text);
    s = WatchBox(IDOK, [] { Msg(MSG_NO_OWNER, MB_OK, -24999); });
    ASSERT_TRUE(s.found);
    EXPECT_EQ(nullptr, s.hOwner);
    EXPECT_EQ("", s.text); // a missing string
    DestroyWindow(main);
}

TEST(ResStr, ModuleFollowsTheSignOfTheId)
{
    // The library's identity: either sign reads the library.
    EXPECT_STREQ("Browse for folder:", ResStr(-20002));
    EXPECT_STREQ("Browse for folder:", ResStr(20002));
    // The program's identity: positive ids read the program, negative ones still the library.
    {
        AppInfo app(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Program", "VNT.hlp", 0x300000, 0);
        EXPECT_STREQ("", ResStr(20002));
        EXPECT_STREQ("Browse for folder:", ResStr(-20002));
    }
    // Reloading one object: id 0 leaves it empty.
    ResStr s;
    EXPECT_STREQ("Browse for file", s.Load(-20003));
    EXPECT_STREQ("", s.Load(0));
    EXPECT_TRUE(s.IsEmpty());
}

TEST_F(RegFixture, AutoRunDll32WritesAndRemoves)
{
    Redirect(HKEY_CURRENT_USER, "cu"); // the Run key lies in the test key
    const std::string run = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    char lib[MAX_PATH], shortPath[MAX_PATH];
    GetModuleFileNameA(GetLibraryModule(), lib, sizeof lib);
    GetShortPathNameA(lib, shortPath, sizeof shortPath);
    ASSERT_EQ(1, AutoRunDll32("VntTestRun", 1, 1, "ManageWP"));
    EXPECT_EQ(RawValue({REG_SZ, "RunDll32.exe " + std::string(shortPath) + ",ManageWP" + '\0'}), RawGet(run, "VntTestRun"));
    EXPECT_EQ(1, AutoRunDll32("VntTestRun", 0, 1, "ManageWP"));
    EXPECT_EQ(0u, RawGet(run, "VntTestRun").type);
}

TEST_F(AssocTest, AssociatedAppFromTheOpenCommand)
{
    // Quoted, or up to the first blank; a program that does not exist is none.
    ASSERT_TRUE(CreateDirectoryA((dir / "Some App").c_str(), nullptr));
    const std::string app = MakeFile("Some App\\app.exe"), plain = MakeFile("plain.exe");
    char out[MAX_PATH];
    SetOpenCommand("\"" + app + "\" \"%1\"");
    EXPECT_TRUE(GetAssociatedApp(".vnttest", out) && app == out) << out;
    SetOpenCommand(plain + " /open %1");
    EXPECT_TRUE(GetAssociatedApp(".vnttest", out) && plain == out) << out;
    SetOpenCommand("\"C:\\No Such\\app.exe\" %1");
    EXPECT_EQ(0, GetAssociatedApp(".vnttest", out));
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

TEST(Launch, ProcessesTheirHandlesAndHelpFiles)
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
    // Help: a file name alone is the library's folder; the request carries the file and the data.
    WNDCLASSA wc = {0, HelpEngineProc, 0, 0, GetModuleHandleA(nullptr), nullptr, nullptr, nullptr, nullptr, "MS_WINHELP"};
    RegisterClassA(&wc);
    HWND hHelp = CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hHelp);
    const std::string folder = TestDir() + "\\"; // the library's
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
