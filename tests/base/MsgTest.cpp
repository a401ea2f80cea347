// Message boxes (owner, caption, text, result), string resources chosen by the id's sign,
// formatted strings, the registered message and the help launcher.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdio>
#include <string>
#include "MsgBoxWatcher.h"
#include "base/AppInfo.h"
#include "base/CompanyMsg.h"
#include "base/Module.h"
#include "base/Msg.h"
#include "base/ResStr.h"
#include "ui/FwWnd.h"

namespace {

HWND MakeTopWindow(const char* title, HWND owner = nullptr)
{
    HWND h = CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                             100, owner, nullptr, nullptr, nullptr);
    return h;
}

// Runs Msg on a fresh thread, which has no active window of its own.
struct MsgThread {
    HWND owner;
    int result = 0;
    static DWORD WINAPI Proc(void* p)
    {
        MsgThread* t = static_cast<MsgThread*>(p);
        t->result = Msg(t->owner, MB_OK, "from a thread");
        return 0;
    }
};

} // namespace

TEST(Msg, OwnerIsLastActivePopupOfTheGivenWindow)
{
    HWND main = MakeTopWindow("main");
    HWND popup = MakeTopWindow("popup", main);
    ASSERT_TRUE(main && popup);
    SetForegroundWindow(popup);
    SetActiveWindow(popup);
    ASSERT_EQ(popup, GetLastActivePopup(main));

    MsgBoxWatcher w(GetCurrentThreadId(), IDCANCEL);
    int r = Msg(main, MB_ICONINFORMATION | MB_OKCANCEL, "%s has %d pictures", "Nature", 14);
    const MsgBoxSeen& s = w.Join();
    ASSERT_TRUE(s.found);
    EXPECT_EQ(IDCANCEL, r);
    EXPECT_EQ(popup, s.hOwner);
    EXPECT_EQ("Vantora", s.title);
    EXPECT_EQ("Nature has 14 pictures", s.text);
    EXPECT_TRUE(s.foreground);
    DestroyWindow(popup);
    DestroyWindow(main);
}

TEST(Msg, NullOwnerMeansTheActiveWindowAndOneMeansNone)
{
    HWND main = MakeTopWindow("active");
    ASSERT_TRUE(main);
    SetForegroundWindow(main);
    SetActiveWindow(main);
    ASSERT_EQ(main, GetActiveWindow());
    {
        MsgBoxWatcher w(GetCurrentThreadId(), IDOK);
        EXPECT_EQ(IDOK, Msg(nullptr, MB_OK, "owned by the active window"));
        const MsgBoxSeen& s = w.Join();
        ASSERT_TRUE(s.found);
        EXPECT_EQ(main, s.hOwner);
    }
    SetActiveWindow(main);
    ASSERT_EQ(main, GetActiveWindow());
    {
        MsgBoxWatcher w(GetCurrentThreadId(), IDOK);
        EXPECT_EQ(IDOK, Msg(MSG_NO_OWNER, MB_OK, "no owner"));
        const MsgBoxSeen& s = w.Join();
        ASSERT_TRUE(s.found);
        EXPECT_EQ(nullptr, s.hOwner);
        EXPECT_EQ("no owner", s.text);
    }
    DestroyWindow(main);

    // A thread without windows has no active window: the box has no owner.
    MsgThread t{nullptr};
    DWORD tid = 0;
    HANDLE h = CreateThread(nullptr, 0, MsgThread::Proc, &t, CREATE_SUSPENDED, &tid);
    ASSERT_TRUE(h);
    MsgBoxWatcher w(tid, IDOK);
    ResumeThread(h);
    const MsgBoxSeen& s = w.Join();
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(h, 10000));
    CloseHandle(h);
    ASSERT_TRUE(s.found);
    EXPECT_EQ(nullptr, s.hOwner);
    EXPECT_EQ("from a thread", s.text);
    EXPECT_EQ(IDOK, t.result);
}

TEST(Msg, TextFromTheLibraryStringTable)
{
    MsgBoxWatcher w(GetCurrentThreadId(), IDOK);
    Msg(MSG_NO_OWNER, MB_ICONERROR, -22022);
    const MsgBoxSeen& s = w.Join();
    ASSERT_TRUE(s.found);
    EXPECT_EQ("Cannot find the application associated with file type HTML.\n\n"
              "Please make sure your Web browser is correctly installed.",
              s.text);

    // A missing string shows an empty text.
    MsgBoxWatcher w2(GetCurrentThreadId(), IDOK);
    Msg(MSG_NO_OWNER, MB_OK, -24999);
    const MsgBoxSeen& s2 = w2.Join();
    ASSERT_TRUE(s2.found);
    EXPECT_EQ("", s2.text);
}

TEST(Msg, LastErrorShowsTheSystemText)
{
    char expected[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected,
                   sizeof expected, nullptr);
    ASSERT_NE('\0', expected[0]);
    MsgBoxWatcher w(GetCurrentThreadId(), IDOK);
    SetLastError(ERROR_FILE_NOT_FOUND);
    MsgLastError(MSG_NO_OWNER);
    const MsgBoxSeen& s = w.Join();
    ASSERT_TRUE(s.found);
    std::string want = expected;
    while (!want.empty() && (want.back() == '\n' || want.back() == '\r'))
        want.pop_back();
    std::string got = s.text;
    while (!got.empty() && (got.back() == '\n' || got.back() == '\r'))
        got.pop_back();
    EXPECT_EQ(want, got);
}

TEST(ResStr, ModuleFollowsTheSignOfTheId)
{
    EXPECT_STREQ("Browse for folder:", ResStr(-20002));
    EXPECT_STREQ("Browse for file", ResStr(-20003));
    EXPECT_STREQ("|All Files|*.*|", ResStr(-20004));
    EXPECT_STREQ("&About...", ResStr(-20022));
    EXPECT_NE(nullptr, strstr(ResStr(-20007), "\n\n"));

    // The library's identity: a positive id also reads the library.
    EXPECT_STREQ("Browse for folder:", ResStr(20002));
    // The program's identity: positive ids read the program, negative ones still the library.
    {
        AppInfo app(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Program", "VNT.hlp",
                    0x300000, 0);
        ResStr s(20002);
        EXPECT_TRUE(s.IsEmpty());
        EXPECT_STREQ("", s);
        EXPECT_STREQ("Browse for folder:", ResStr(-20002));
        // An explicit module wins over the sign.
        EXPECT_STREQ("&About...", ResStr(20022, GetLibraryModule()));
    }
    EXPECT_STREQ("Vantora", AppInfo::Data().pszTitle);

    ResStr s;
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ("Browse for file", s.Load(-20003));
    EXPECT_FALSE(s.IsEmpty());
    EXPECT_STREQ("", s.Load(0));
    EXPECT_TRUE(s.IsEmpty());
    s.Load(-20003);
    s.Empty();
    EXPECT_EQ(nullptr, s.psz);
    EXPECT_STREQ("", s.Load(-24999));
}

// A string of a system module that holds exactly one "%s" and no other conversion.
static bool FindFormatString(HINSTANCE mod, int& id, std::string& text)
{
    char buf[1024];
    for (int i = 1; i < 0x10000; i++) {
        if (LoadStringA(mod, i, buf, sizeof buf) <= 0)
            continue;
        const char* p = strstr(buf, "%s");
        if (p && !strchr(p + 2, '%') && strchr(buf, '%') == p) {
            id = i;
            text = buf;
            return true;
        }
    }
    return false;
}

TEST(ResStr, FormattedStrings)
{
    // No string, no text; a text without conversions stays as it is.
    EXPECT_TRUE(ResStrFmt(-24999, 1, 2).IsEmpty());
    EXPECT_STREQ("Cannot load the wallpaper changer.", ResStrFmt(-20030, "unused"));
    EXPECT_STREQ("Browse for folder:", ResStrFmt(-20002));

    // A format string from one of the system's programs or libraries.
    HMODULE mod = nullptr;
    int id = 0;
    std::string format;
    for (const char* name : {"notepad.exe", "oledlg.dll", "msi.dll", "winecfg.exe"}) {
        mod = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (mod && FindFormatString(mod, id, format))
            break;
        if (mod)
            FreeLibrary(mod);
        mod = nullptr;
    }
    ASSERT_TRUE(mod);
    char expected[1024];
    snprintf(expected, sizeof expected, format.c_str(), "Nature");
    {
        AppInfo app(reinterpret_cast<HINSTANCE>(mod), "Vantora", "ControlPanel", "Program",
                    "VNT.hlp", 0x300000, 0);
        EXPECT_STREQ(expected, ResStrFmt(id, "Nature"));
    }
    FreeLibrary(mod);
}

TEST(ResStr, WindowTextFromAStringId)
{
    HWND h = MakeTopWindow("");
    ASSERT_TRUE(h);
    FwWnd wnd;
    wnd.hWnd = h;
    char text[256];
    EXPECT_TRUE(wnd.SetText(static_cast<UINT>(-20022)));
    GetWindowTextA(h, text, sizeof text);
    EXPECT_STREQ("&About...", text);
    EXPECT_TRUE(wnd.SetTextFmt(GetLibraryModule(), 20003));
    GetWindowTextA(h, text, sizeof text);
    EXPECT_STREQ("Browse for file", text);
    wnd.hWnd = nullptr;
    DestroyWindow(h);
}

TEST(CompanyMsg, RegisteredOnceAndStable)
{
    unsigned a = GetMyCompanyMsg();
    EXPECT_GE(a, 0xC000u);
    EXPECT_EQ(a, GetMyCompanyMsg());
    EXPECT_EQ(a, RegisterWindowMessageA("CorvaneMessage"));
}
