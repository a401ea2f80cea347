// End to end: the real settings sheet of Vantora.scr, driven by messages; what its pages
// show, what OK, Cancel and the Test buttons store, the wallpaper changer around it, and
// the question about the active screen saver after it.
#include <gtest/gtest.h>
#include <memory>
#include <type_traits>
#include "SheetRun.h"
#include "../base/RegTestUtil.h"
#include "options/Opts.h"

namespace {

using namespace std::string_literals; // stored lists: each item ends with a zero, the list too

// The items that follow each page's "Change image every" check box.
const std::vector<int> kSaverItems = {1011, 1001, 1008, 1030, 1002, 1012};
const std::vector<int> kWallpaperItems = {1014, 1013, 1002, 1001, 1008, 1030};

void ExpectEnabled(const SheetRun& run, const std::vector<int>& ids, bool enabled)
{
    for (int id : ids)
        EXPECT_EQ(enabled, IsWindowEnabled(run.Item(id)) != 0) << "item " << id;
    EXPECT_TRUE(IsWindowEnabled(run.Item(1017))) << "Test";
}

// A 1x1 bitmap file of one grey pixel; its bytes.
std::string WriteTinyBmp(const std::string& path, BYTE level)
{
    BYTE file[58] = {'B', 'M', 58};
    file[10] = 54;
    file[14] = 40;
    file[18] = file[22] = file[26] = 1;
    file[28] = 24;
    file[54] = file[55] = file[56] = level;
    WriteFileBytes(path, file, sizeof file);
    return std::string(reinterpret_cast<char*>(file), sizeof file);
}

// SYSTEM.INI's [boot] SCRNSAVE.EXE, set for a test and put back afterwards.
struct ProfileSaverAside {
    char ini[MAX_PATH] = "", saved[MAX_PATH] = "";
    ProfileSaverAside()
    {
        GetWindowsDirectoryA(ini, MAX_PATH - 12);
        lstrcatA(ini, "\\SYSTEM.INI");
        GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "\1", saved, MAX_PATH, ini);
    }
    ~ProfileSaverAside() { Set(lstrcmpA(saved, "\1") ? saved : nullptr); }
    void Set(const char* value) { WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", value, ini); }
};

// What a setting of the active screen saver names: nothing, this program by its short path
// in capitals or by its long path, or another program.
enum Setting { kNone, kOwnShortUpper, kOwnLong, kOther };

std::string SettingText(Setting s, const std::string& program)
{
    char buf[MAX_PATH] = "";
    if (s == kOwnShortUpper && GetShortPathNameA(program.c_str(), buf, MAX_PATH))
        return CharUpperA(buf);
    return s == kOwnLong ? program : s == kOther ? "C:\\windows\\system32\\other.scr" : "";
}

} // namespace

// Every configuration command line opens the sheet, owned by the hidden settings dialog,
// which an owner given on the command line owns. After the sheet closes, the question
// whether to make Vantora the active screen saver comes exactly when neither the registry
// nor (with no registry setting) SYSTEM.INI names the program; Yes starts the display
// settings with the program's path unquoted.
TEST(SettingsSheet, OpensForEveryConfigurationCommandLineAndAsksForTheActiveSaver)
{
    std::unique_ptr<std::remove_pointer_t<HWND>, decltype(&DestroyWindow)> owner(
        CreateWindowA("STATIC", "Display settings", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                      nullptr, nullptr),
        DestroyWindow);
    std::string ownerArg = "/c:" + std::to_string(reinterpret_cast<UINT_PTR>(owner.get()));
    const struct {
        std::string args;
        Setting registry, profile;
        int answer; // 0: no question expected
    } rows[] = {{"/c", kOwnShortUpper, kNone, 0}, {ownerArg, kNone, kOwnLong, 0},
                {"", kNone, kNone, IDYES}, {"/c", kOther, kOwnLong, IDNO}};
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "args '" << row.args << "', registry " << row.registry
                                        << ", profile " << row.profile);
        ProfileSaverAside profile;
        SheetRun run(true);
        ASSERT_TRUE(run.aside.Ready());
        RawSetDword(kSettingsKey, "Options", OPT_SS_CHANGE); // the changer stays off
        SetActiveSaver(SettingText(row.registry, run.ProgramPath()));
        profile.Set(SettingText(row.profile, run.ProgramPath()).c_str());
        SetCursorPos(3, 5);
        ASSERT_TRUE(run.Start(row.args));
        // Centred on the monitor that holds the cursor.
        RECT sheet, work;
        GetWindowRect(run.hSheet, &sheet);
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR((work.left + work.right) / 2, (sheet.left + sheet.right) / 2, 1);
        EXPECT_NEAR((work.top + work.bottom) / 2, (sheet.top + sheet.bottom) / 2, 1);
        HWND hidden = GetWindow(run.hSheet, GW_OWNER);
        EXPECT_FALSE(IsWindowVisible(hidden));
        if (row.args == ownerArg) {
            EXPECT_EQ(owner.get(), GetWindow(hidden, GW_OWNER));
        }
        ASSERT_TRUE(run.Press(PSBTN_CANCEL));
        if (row.answer) {
            EXPECT_EQ("Vantora is NOT currently set as the active screensaver. Would you like to open "
                      "the screensaver properties window to change the screensaver settings?",
                      run.AnswerBox(row.answer));
        }
        EXPECT_EQ(2u, run.ExitCode()) << "a question nobody answers keeps the process";
        // The settings command is recorded by a process of its own, maybe after this one ended.
        std::string expected, recorded;
        if (row.answer == IDYES) {
            expected = run.ProgramPath() + "\r\n";
            EXPECT_TRUE(WaitFor([&] { return !(recorded = run.RecordedCommands()).empty(); }, 20000));
        }
        EXPECT_EQ(expected, recorded);
    }
}

TEST(SettingsSheet, OkStoresWhatThePagesChanged)
{
    SheetRun run;
    ASSERT_TRUE(run.aside.Ready());
    RawSetDword(kSettingsKey, "Options", OPT_SS_RANDOM | OPT_SS_CHANGE | OPT_SS_GRADUAL | OPT_WP_CHANGE);
    RawSet(kSettingsKey, "SS", REG_BINARY, "1A\0xB\0" "0C\0", 10);
    RawSetDword(kSettingsKey, "WP_change", 5);
    RawSetDword(kSettingsKey, "SS_LastPic", 3);
    RawSetDword(kSettingsKey, "SS_LastSet", 1);
    ASSERT_TRUE(run.Start());

    run.Page(1);
    EXPECT_EQ(run.hSheet, GetForegroundWindow()) << "the keyboard stays with the sheet";
    EXPECT_EQ("10", run.Text(run.Item(1011)));
    run.SetText(1011, "25");
    // C moves up above B; A leaves use; moving the first set up does nothing.
    run.Send(1001, LB_SETCURSEL, 2);
    run.ClickMove(true);
    EXPECT_EQ(1, run.Send(1001, LB_GETCURSEL));
    run.Send(1001, LB_SETCURSEL, 0);
    run.Send(1001, WM_CHAR, ' ');
    run.ClickMove(true);
    for (bool on : {false, true}) {
        run.Send(1016, BM_CLICK);
        ExpectEnabled(run, kSaverItems, on);
    }

    run.Page(2);
    EXPECT_EQ(CB_ERR, run.Send(1013, CB_GETCURSEL)) << "a stored unit of 5 selects none";
    run.SetText(1014, "x"); // not read while the change is off
    ExpectEnabled(run, kWallpaperItems, true);
    run.Send(1015, BM_CLICK);
    ExpectEnabled(run, kWallpaperItems, false);

    ASSERT_EQ(1u, run.Close(PSBTN_OK));
    EXPECT_EQ(unsigned(OPT_SS_RANDOM | OPT_SS_CHANGE | OPT_SS_GRADUAL), RegDword("Options"));
    EXPECT_EQ(25u, RegDword("SS_TimeOut"));
    EXPECT_EQ(1u, RegDword("WP_count"));
    EXPECT_EQ(0xFFFFFFFFu, RegDword("WP_change"));
    EXPECT_EQ("0A\0" "0C\0" "1B\0\0"s, RawGet(kSettingsKey, "SS").bytes);
    EXPECT_EQ(0u, RawGet(kSettingsKey, "SS_LastPic").type);
    EXPECT_EQ(0u, RawGet(kSettingsKey, "SS_LastSet").type);
    EXPECT_EQ("", RunValue());
    EXPECT_FALSE(FindChanger());
}

// The changer stops while the sheet is open and starts again after Cancel or OK; OK with
// only the About page seen stores the other pages' settings as loaded.
TEST(SettingsSheet, OpensOnAboutAndRestartsTheChangerAfterCancelOrOk)
{
    for (int button : {PSBTN_CANCEL, PSBTN_OK}) {
        SCOPED_TRACE(button == PSBTN_OK ? "OK" : "Cancel");
        SheetRun run;
        ASSERT_TRUE(run.aside.Ready());
        RawSet(kSettingsKey, "WP", REG_BINARY, "0A\0", 4);
        RawSetDword(kSettingsKey, "WP_count", 3);
        RawSetDword(kSettingsKey, "WP_change", 2);
        RawSetDword(kSettingsKey, "SS_LastPic", 3);
        BinLibrary library;
        ASSERT_TRUE(library.Ready());
        library.RunWPChanger(nullptr, 1);
        ASSERT_TRUE(WaitFor([] { return FindChanger() != nullptr; }));
        ASSERT_TRUE(run.Start());
        EXPECT_TRUE(WaitFor([] { return !FindChanger(); })) << "stopped while the sheet is open";
        // The static shows the doubled ampersand as one.
        EXPECT_EQ("Vantora Screen Saver && Wallpaper Changer", run.Text(run.Item(1029)));
        EXPECT_EQ("Copyright \xA9 Corvane Software", run.Text(run.Item(1028)));
        EXPECT_EQ("Version 2.0", run.Text(run.Item(1027)));
        EXPECT_EQ("Click to visit www.corvane.example", run.Text(run.Item(1026)));
        // The web page opens only after a confirmation, here cancelled.
        PostMessageA(run.Item(1026), BM_CLICK, 0, 0);
        EXPECT_EQ("The Corvane Software web site will open in your default web browser.\n\n"
                  "Please connect to the Internet if necessary, then click OK to continue.",
                  run.AnswerBox(IDCANCEL));
        const char* titles[] = {"About", "Screen Saver", "Wallpaper"};
        for (int i = 0; button == PSBTN_CANCEL && i < 3; i++) // OK: the other pages unseen
            EXPECT_EQ(titles[i], run.Text(run.Page(i))) << "the page's tab";
        ASSERT_EQ(button == PSBTN_OK ? 1u : 2u, run.Close(button));
        EXPECT_TRUE(WaitFor([] { return FindChanger() != nullptr; })) << "restarted: it is on";
        EXPECT_NE("", RunValue());
        // OK: B and C, found on disk, join at the head in use.
        std::string wp = RawGet(kSettingsKey, "WP").bytes;
        EXPECT_TRUE(button == PSBTN_CANCEL ? wp == "0A\0\0"s
                                           : wp == "1B\0" "1C\0" "0A\0\0"s ||
                                                 wp == "1C\0" "1B\0" "0A\0\0"s) << wp;
        EXPECT_EQ(3u, RegDword("WP_count"));
        EXPECT_EQ(2u, RegDword("WP_change"));
        EXPECT_EQ(3u, RegDword("SS_LastPic")) << "the Screen Saver page was never opened";
    }
}

// Cancel puts back the wallpaper of the moment the sheet opened: the user's own, or a
// picture of ours whose file the Test overwrote.
TEST(SettingsSheet, WallpaperTestSetsTheWallpaperWithTheChangerOffAndCancelPutsItBack)
{
    char bmp[MAX_PATH];
    Opts::GetPathForBMP(bmp);
    for (bool ours : {false, true}) {
        SCOPED_TRACE(ours ? "ours" : "the user's");
        SheetRun run;
        ASSERT_TRUE(run.aside.Ready());
        RawSetDword(kSettingsKey, "Options", OPT_SS_CHANGE);
        std::string before = ours ? std::string(bmp) : run.dir / "Mine.bmp";
        const std::string old = WriteTinyBmp(before, 0x80);
        SetDesktopWallpaper(before);
        ASSERT_TRUE(run.Start());
        run.Page(2);
        ExpectEnabled(run, kWallpaperItems, false);
        run.Send(1017, BM_CLICK);
        ExpectDesktopBmp(bmp);
        EXPECT_EQ(std::string(bmp), DesktopValue());
        ASSERT_EQ(2u, run.Close(PSBTN_CANCEL));
        EXPECT_EQ(before, DesktopValue());
        EXPECT_EQ(ours, Exists(bmp));
        EXPECT_EQ(old, FileBytes(before));
        EXPECT_FALSE(FindChanger());
        EXPECT_EQ("", RunValue());
        DeleteFileA(bmp);
    }
}
