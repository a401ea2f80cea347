// Message boxes (owner, caption, text, result), string resources chosen by the id's sign,
// formatted strings and the registered message.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "MsgBoxWatcher.h"
#include "base/AppInfo.h"
#include "base/CompanyMsg.h"
#include "base/Module.h"
#include "base/Msg.h"
#include "base/ResStr.h"

TEST(Msg, OwnerCaptionTextAndResult)
{
    auto Window = [](const char* title, HWND owner) {
        return CreateWindowExA(0, "STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100,
                               owner, nullptr, nullptr, nullptr);
    };
    HWND main = Window("main", nullptr);
    HWND popup = Window("popup", main);
    ASSERT_TRUE(main && popup);
    SetForegroundWindow(popup);
    ASSERT_EQ(popup, GetLastActivePopup(main));

    // The given window's last active popup owns the box.
    int r = 0;
    MsgBoxSeen s = WatchBox(IDCANCEL, [&] {
        r = Msg(main, MB_ICONINFORMATION | MB_OKCANCEL, "%s has %d pictures", "Nature", 14);
    });
    ASSERT_TRUE(s.found);
    EXPECT_EQ(IDCANCEL, r);
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
        AppInfo app(GetModuleHandleA(nullptr), "Vantora", "ControlPanel", "Program", "VNT.hlp",
                    0x300000, 0);
        EXPECT_STREQ("", ResStr(20002));
        EXPECT_STREQ("Browse for folder:", ResStr(-20002));
        // An explicit module wins over the sign.
        EXPECT_STREQ("&About...", ResStr(20022, GetLibraryModule()));
        EXPECT_STREQ("", ResStr(-20002, GetModuleHandleA(nullptr)));
    }
    // Reloading one object: id 0 leaves it empty.
    ResStr s;
    EXPECT_STREQ("Browse for file", s.Load(-20003));
    EXPECT_STREQ("", s.Load(0));
    EXPECT_TRUE(s.IsEmpty());
    // Formatting: no string, no text; a text without conversions stays as it is.
    EXPECT_TRUE(ResStrFmt(-24999, 1, 2).IsEmpty());
    EXPECT_STREQ("Cannot load the wallpaper changer.", ResStrFmt(-20030, "unused"));
}

TEST(CompanyMsg, TheMessageOtherProcessesRegister)
{
    EXPECT_EQ(RegisterWindowMessageA("CorvaneMessage"), GetMyCompanyMsg());
}
