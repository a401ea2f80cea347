// End to end: the settings sheet refuses what the saver cannot use (numbers out of range,
// no image set in use) on the page that holds it, its Move control works from the
// keyboard, Test tries what the page shows full-screen and Cancel undoes it.
#include <gtest/gtest.h>
#include <utility>
#include "SheetRun.h"
#include "../base/RegTestUtil.h"

namespace {

// The window with the keyboard focus in the sheet's thread.
HWND SheetFocus(HWND sheet)
{
    GUITHREADINFO info = {sizeof info};
    return GetGUIThreadInfo(GetWindowThreadProcessId(sheet, nullptr), &info) ? info.hwndFocus : nullptr;
}

} // namespace

TEST(SettingsGuard, WhatCannotBeUsedIsRefusedOnItsPageAndNothingIsStored)
{
    SheetRun run;
    ASSERT_TRUE(run.aside.Ready());
    RawSetDword(kSettingsKey, "SS_TimeOut", 12);
    ASSERT_TRUE(run.Start());
    HWND pages[3] = {run.Page(0), run.Page(1), run.Page(2)};
    const struct {
        int page, id;
        const char* text;
        const char* says;
    } cases[] = {
        {1, 1011, "abc", "from 1 to 86400"}, {1, 1011, "", "from 1 to 86400"},
        {1, 1011, "0", "from 1 to 86400"}, {1, 1011, "-5", "from 1 to 86400"},
        {1, 1011, "86401", "from 1 to 86400"}, {1, 1011, "99999999999", "from 1 to 86400"},
        {2, 1014, "1000", "from 1 to 999"}, {2, 1014, "x", "from 1 to 999"},
        {1, 1001, nullptr, "at least one image set"}, // every set unticked
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "no set");
        HWND item = GetDlgItem(pages[c.page], c.id);
        if (c.text)
            SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.text));
        for (int i = 0; !c.text && i < 3; i++) {
            SendMessageA(item, LB_SETCURSEL, i, 0);
            SendMessageA(item, WM_CHAR, ' ', 0);
        }
        run.Page(0); // OK is pressed on another page
        PostMessageA(run.hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        EXPECT_NE(std::string::npos, run.AnswerBox(IDOK).find(c.says));
        EXPECT_TRUE(WaitFor([&] { return SheetFocus(run.hSheet) == item; })) << "the field is selected";
        EXPECT_TRUE(IsWindowVisible(run.hSheet));
        EXPECT_EQ(pages[c.page], PropSheet_GetCurrentPageHwnd(run.hSheet));
        if (c.text) {
            DWORD end = 0;
            SendMessageA(item, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&end));
            EXPECT_EQ(strlen(c.text), end);
            SendMessageA(item, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.id == 1011 ? "86400" : "999"));
        } else {
            SendMessageA(item, LB_SETCURSEL, 1, 0);
            SendMessageA(item, WM_CHAR, ' ', 0);
        }
        EXPECT_EQ(12u, RegDword("SS_TimeOut"));
    }
    // With the wallpaper change off its count is neither asked for nor read.
    SendMessageA(GetDlgItem(pages[2], 1014), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("0"));
    SendMessageA(GetDlgItem(pages[2], 1015), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, run.Close(PSBTN_OK));
    EXPECT_EQ(86400u, RegDword("SS_TimeOut"));
    EXPECT_EQ(1u, RegDword("WP_count")) << "kept while its field was off";
    std::string ss = RawGet(kSettingsKey, "SS").bytes;
    EXPECT_EQ(1, std::count(ss.begin(), ss.end(), '1')) << "one set in use";
}

TEST(SettingsGuard, TestTriesWhatThePageShowsAndCancelUndoesIt)
{
    SheetRun run;
    ASSERT_TRUE(run.aside.Ready());
    const std::string sets("1A\0" "1B\0" "1C\0", 10);
    RawSet(kSettingsKey, "SS", REG_BINARY, sets.data(), 10);
    RawSetDword(kSettingsKey, "SS_TimeOut", 12);
    RawSetDword(kSettingsKey, "SS_LastPic", 3);
    ASSERT_TRUE(run.Start());
    run.Page(1);
    HWND list = run.Item(1001), move = run.Item(1008);
    RECT rc;
    GetClientRect(list, &rc);
    LRESULT row = run.Send(1001, LB_GETITEMHEIGHT);
    EXPECT_TRUE(row > 0 && rc.bottom % row == 0 && rc.bottom >= 3 * row) << "whole rows: " << rc.bottom << " " << row;
    // A out of use; C moved up from the keyboard (Tab from the list reaches Move, whose
    // arrow keys move the selected set and keep the focus); 7 seconds. None of it applied.
    run.Send(1001, LB_SETCURSEL, 0);
    run.Send(1001, WM_CHAR, ' ');
    PostMessageA(run.hPage, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
    ASSERT_TRUE(WaitFor([&] { return SheetFocus(run.hSheet) == list; }));
    run.Send(1001, LB_SETCURSEL, 2);
    PostMessageA(list, WM_KEYDOWN, VK_TAB, 0);
    ASSERT_TRUE(WaitFor([&] { return SheetFocus(run.hSheet) == move; }));
    const std::pair<WPARAM, LRESULT> steps[] = {{VK_UP, 1}, {VK_DOWN, 2}, {VK_UP, 1}};
    for (const auto& step : steps) {
        PostMessageA(move, WM_KEYDOWN, step.first, 0);
        EXPECT_TRUE(WaitFor([&] { return run.Send(1001, LB_GETCURSEL) == step.second; })) << step.second;
    }
    EXPECT_EQ(move, SheetFocus(run.hSheet));
    run.SetText(1011, "7");
    run.Send(1017, BM_CLICK);
    HWND saver = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (saver = FindWindowA("WindowsScreenSaverClass", "Screen Saver")) != nullptr; }));
    RECT r;
    GetWindowRect(saver, &r);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), r.right - r.left);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), r.bottom - r.top);
    EXPECT_EQ(std::string("0A\0" "1C\0" "1B\0", 10), RawGet(kSettingsKey, "SS").bytes);
    EXPECT_EQ(7u, RegDword("SS_TimeOut"));
    PostMessageA(saver, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(saver); }));
    ASSERT_EQ(2u, run.Close(PSBTN_CANCEL));
    EXPECT_EQ(sets, RawGet(kSettingsKey, "SS").bytes);
    EXPECT_EQ(12u, RegDword("SS_TimeOut"));
    EXPECT_EQ(3u, RegDword("SS_LastPic"));
}
