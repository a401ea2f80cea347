// FwPropSheet and FwPropPage: a two-page sheet driven by sheet messages; which pages are
// created, which receive the sheet's notifications, and what Run returns.
#include <gtest/gtest.h>
#include "TestDialogs.h"
#include "UiTestUtil.h"
#include "ui/FwCtrl.h"
#include "ui/FwPropPage.h"
#include "ui/FwPropSheet.h"

namespace {

const UINT WM_RUN_SCRIPT = WM_APP + 1, WM_AFTER_REFUSAL = WM_APP + 2;

// What the first page does once the sheet runs: move to the second page or not, then
// press a button; refuse: it refuses the first apply through its message result alone,
// then cancels.
struct Script { bool toSecond; int button; bool refuse; };

class LoggingEdit : public FwCtrl {
public:
    CallLog* log = nullptr;
    std::string name;
    void Store() override { log->push_back(name + ".Store"); }
};

class LoggingPage : public FwPropPage {
public:
    CallLog* log;
    std::string name;
    const Script* script = nullptr;
    LoggingEdit edit;

    LoggingPage(PROPSHEETPAGEA* slot, int idTemplate, CallLog* pLog, const std::string& pageName)
        : FwPropPage(slot, TestModule(), idTemplate), log(pLog), name(pageName)
    {
        edit.log = pLog;
        edit.name = pageName + ".edit";
    }
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override
    {
        log->push_back(name + ".OnInitDialog");
        edit.Init(this, IDC_PAGE_EDIT);
        if (script)
            PostMsg(WM_RUN_SCRIPT);
        return FwPropPage::OnInitDialog(wParam, lParam);
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_AFTER_REFUSAL) {
            if (IsWindowVisible(hWndSheet))
                log->push_back(name + ".sheet still open");
            PostMessageA(hWndSheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            return 1;
        }
        if (msg == WM_RUN_SCRIPT) {
            if (script->toSecond)
                SendMessageA(hWndSheet, PSM_SETCURSEL, 1, 0);
            PostMessageA(hWndSheet, PSM_PRESSBUTTON, script->button, 0);
            return 1;
        }
        return FwPropPage::OnMessage(msg, wParam, lParam);
    }
    LRESULT OnSetActive(NMHDR* pnmh) override
    {
        log->push_back(name + ".OnSetActive");
        return FwPropPage::OnSetActive(pnmh);
    }
    LRESULT OnApply(PSHNOTIFY* pn) override
    {
        log->push_back(name + ".OnApply");
        if (script && script->refuse) {
            SetMsgResult(PSNRET_INVALID_NOCHANGEPAGE);
            PostMsg(WM_AFTER_REFUSAL);
            return 0;
        }
        return FwPropPage::OnApply(pn);
    }
    LRESULT OnReset(PSHNOTIFY* pn) override
    {
        log->push_back(name + ".OnReset");
        return FwPropPage::OnReset(pn);
    }
};

using FwPropSheetTest = UiTest;

} // namespace

TEST_F(FwPropSheetTest, PagesAreCreatedOnFirstSelectionAndOnlyCreatedPagesApply)
{
    const struct { Script script; int result; CallLog expected; } cases[] = {
        {{false, PSBTN_OK}, 1,
         {"one.OnInitDialog", "one.OnSetActive", "one.OnApply", "one.edit.Store"}},
        {{true, PSBTN_OK}, 1,
         {"one.OnInitDialog", "one.OnSetActive", "two.OnInitDialog", "two.OnSetActive",
          "one.OnApply", "one.edit.Store", "two.OnApply", "two.edit.Store"}},
        {{true, PSBTN_CANCEL}, 0,
         {"one.OnInitDialog", "one.OnSetActive", "two.OnInitDialog", "two.OnSetActive",
          "one.OnReset", "two.OnReset"}},
        {{false, PSBTN_OK, true}, 0,
         {"one.OnInitDialog", "one.OnSetActive", "one.OnApply", "one.sheet still open", "one.OnReset"}},
    };
    for (const auto& c : cases) {
        CallLog log;
        FwPropSheet sheet(nullptr, TestModule(), 2, "Sheet test");
        LoggingPage one(sheet.GetPageBuf(0), IDD_PAGE1, &log, "one");
        LoggingPage two(sheet.GetPageBuf(1), IDD_PAGE2, &log, "two");
        one.script = &c.script;
        ASSERT_TRUE(sheet.AddPage(0, &one));
        ASSERT_TRUE(sheet.AddPage(1, &two));
        EXPECT_FALSE(sheet.AddPage(2, &two));
        EXPECT_EQ(c.result, sheet.Run(0));
        EXPECT_EQ(c.expected, log) << c.script.toSecond << " " << c.script.button;
        EXPECT_EQ(&sheet, FwPropSheet::pDlgInit);
        EXPECT_NE(nullptr, sheet.hWnd);
        EXPECT_EQ(sheet.hWnd, one.hWndSheet);
    }
}
