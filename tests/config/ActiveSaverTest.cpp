// End to end: after the settings sheet closes, the question whether to make Vantora the
// active screen saver comes exactly when neither the registry nor (with no registry
// setting) SYSTEM.INI names the program; Yes starts the display settings with the
// program's path unquoted.
#include <gtest/gtest.h>
#include "SheetRun.h"
#include "../base/RegTestUtil.h"
#include "options/Opts.h"

namespace {

// SYSTEM.INI's [boot] SCRNSAVE.EXE, set for a test and put back afterwards.
class ProfileSaverAside {
public:
    ProfileSaverAside()
    {
        GetWindowsDirectoryA(ini, MAX_PATH - 12);
        lstrcatA(ini, "\\SYSTEM.INI");
        GetPrivateProfileStringA("boot", "SCRNSAVE.EXE", "\1", saved, MAX_PATH, ini);
    }
    ~ProfileSaverAside() { Set(lstrcmpA(saved, "\1") ? saved : nullptr); }
    ProfileSaverAside(const ProfileSaverAside&) = delete;
    ProfileSaverAside& operator=(const ProfileSaverAside&) = delete;
    void Set(const char* value) { WritePrivateProfileStringA("boot", "SCRNSAVE.EXE", value, ini); }

private:
    char ini[MAX_PATH] = "";
    char saved[MAX_PATH] = "";
};

enum Setting { kNone, kOwnShortUpper, kOwnLong, kOther };

struct Case {
    Setting registry;
    Setting profile;
    int answer; // 0: no question expected
};

const Case kCases[] = {
    {kOwnShortUpper, kNone, 0},
    {kNone, kOwnLong, 0},
    {kNone, kNone, IDYES},
    {kOther, kOwnLong, IDNO},
};

std::string SettingText(Setting s, const std::string& program)
{
    char buf[MAX_PATH] = "";
    switch (s) {
    case kOwnShortUpper:
        GetShortPathNameA(program.c_str(), buf, MAX_PATH);
        CharUpperA(buf);
        return buf;
    case kOwnLong:
        return program;
    case kOther:
        return "C:\\windows\\system32\\other.scr";
    default:
        return "";
    }
}

} // namespace

TEST(ActiveSaver, AskedOnlyWhenNoSettingNamesTheProgram)
{
    for (const Case& c : kCases) {
        SCOPED_TRACE(testing::Message() << "registry " << c.registry << ", profile " << c.profile);
        ProfileSaverAside profile;
        SheetRun run(true);
        ASSERT_TRUE(run.aside.Ready());
        RawSetDword(kSettingsKey, "Options", OPT_SS_CHANGE); // the changer stays off
        SetActiveSaver(SettingText(c.registry, run.ProgramPath()));
        profile.Set(SettingText(c.profile, run.ProgramPath()).c_str());
        ASSERT_TRUE(run.Start());
        ASSERT_TRUE(run.Press(PSBTN_CANCEL));
        if (c.answer) {
            EXPECT_EQ("Vantora is NOT currently set as the active screensaver. Would you like to open the "
                      "screensaver properties window to change the screensaver settings?",
                      run.AnswerBox(c.answer));
        }
        EXPECT_EQ(2u, run.ExitCode()) << "a question nobody answers keeps the process";
        // The settings command is recorded by a process of its own, maybe after this one ended.
        std::string expected, recorded;
        if (c.answer == IDYES) {
            expected = run.ProgramPath() + "\n";
            EXPECT_TRUE(WaitFor([&] { return !(recorded = run.RecordedCommands()).empty(); }, 20000));
        }
        EXPECT_EQ(expected, recorded);
    }
}
