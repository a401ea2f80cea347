// FwDlg and FwCtrl: the virtual calls a dialog and its bound controls receive, compared
// with the expected sequences, on the tests' own dialog template.
#include <gtest/gtest.h>
#include <functional>
#include "TestDialogs.h"
#include "UiTestUtil.h"
#include "ui/FwDlg.h"
#include "ui/FwListBox.h"

namespace {

const UINT WM_RUN_SCRIPT = WM_APP + 1;

// Writes its calls to the log; the list box reports its commands as handled.
class LoggingList : public FwListBox {
public:
    CallLog* log = nullptr;
    void OnInit() override { log->push_back("list.OnInit"); }
    int OnCommand(WORD code, long* pResult) override
    {
        log->push_back("list.OnCommand " + std::to_string(code));
        *pResult = 77;
        return 1;
    }
    long OnNotify(NMHDR* pnmh, long* pResult) override
    {
        log->push_back("list.OnNotify " + std::to_string(static_cast<int>(pnmh->code)));
        *pResult = 5;
        return 1;
    }
    void OnDrawItem(DRAWITEMSTRUCT* pdis) override
    {
        if (pdis->itemID == 0 && (pdis->itemAction & ODA_DRAWENTIRE))
            log->push_back("list.OnDrawItem");
    }
    void OnDeleteItem(DELETEITEMSTRUCT* pdis) override
    {
        log->push_back("list.OnDeleteItem " + std::to_string(pdis->itemData));
    }
    void Store() override { log->push_back("list.Store"); }
};

// Records its virtual calls and runs a script once the dialog is up.
class LoggingDlg : public FwDlg {
public:
    CallLog log;
    LoggingList list;
    std::function<void(LoggingDlg&)> script;
    UINT idAtInit = 0;
    HWND hWndAtInit = nullptr;

    LoggingDlg() { list.log = &log; }
    void PreInit() override { log.push_back("PreInit"); FwDlg::PreInit(); }
    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override
    {
        log.push_back("OnInitDialog");
        idAtInit = uDialogId;
        hWndAtInit = hWnd;
        list.Init(this, IDC_LIST);
        PostMsg(WM_RUN_SCRIPT);
        return FwDlg::OnInitDialog(wParam, lParam);
    }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_RUN_SCRIPT && script) {
            script(*this);
            return 1;
        }
        return FwDlg::OnMessage(msg, wParam, lParam);
    }
    LRESULT OnCommand(WORD id, WORD code, HWND hCtl) override
    {
        if (id != IDC_EDIT) // the edit field's own chatter is not part of the sequences
            log.push_back("OnCommand " + std::to_string(id) + " " + std::to_string(code));
        return FwDlg::OnCommand(id, code, hCtl);
    }
    LRESULT OnNotify(int id, NMHDR* pnmh) override
    {
        log.push_back("OnNotify " + std::to_string(id));
        return FwDlg::OnNotify(id, pnmh);
    }
    void OnHelp(HELPINFO* pInfo) override { log.push_back(pInfo ? "OnHelp info" : "OnHelp general"); }
    LRESULT OnOK() override { log.push_back("OnOK"); return FwDlg::OnOK(); }
    LRESULT OnCancel() override { log.push_back("OnCancel"); return FwDlg::OnCancel(); }
    // The dialog procedure's answer, as the system sees it.
    LRESULT Command(int id, int code, HWND hCtl)
    {
        const LPARAM lp = reinterpret_cast<LPARAM>(hCtl);
        return FwDlg::ModalProc(hWnd, WM_COMMAND, MAKEWPARAM(id, code), lp);
    }
};

using FwDlgTest = UiTest;

} // namespace

TEST_F(FwDlgTest, ModalDialogRoutesItsMessagesToObjectAndControls)
{
    LoggingDlg dlg;
    LRESULT listCmd = 0, editCmd = -1, listNotify = 0, spinNotify = -1;
    dlg.script = [&](LoggingDlg& d) {
        d.log.push_back("script");
        HWND hList = d.GetDlgItem(IDC_LIST);
        d.list.AddItem(nullptr, 41);
        ShowWindow(d.hWnd, SW_SHOW); // the modal loop has not shown it yet
        UpdateWindow(hList); // owner drawing reaches the bound list
        listCmd = d.Command(IDC_LIST, LBN_DBLCLK, hList);
        // User data that is no control of this dialog is never taken for one.
        SetWindowLongPtrA(d.GetDlgItem(IDC_EDIT), GWLP_USERDATA, 0x1234);
        editCmd = d.Command(IDC_EDIT, EN_CHANGE, d.GetDlgItem(IDC_EDIT));
        // A notification's answer reaches the sender through the dialog manager.
        NMHDR fromList = {hList, IDC_LIST, 1234};
        listNotify = SendMessageA(d.hWnd, WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&fromList));
        NMHDR fromSpin = {d.GetDlgItem(IDC_SPIN), IDC_SPIN, 1234};
        spinNotify = SendMessageA(d.hWnd, WM_NOTIFY, IDC_SPIN, reinterpret_cast<LPARAM>(&fromSpin));
        d.Command(IDHELP, 0, d.GetDlgItem(IDHELP));
        d.list.DelStr(0);
        d.PostCmd(IDOK);
    };
    EXPECT_EQ(IDOK, dlg.Modal(IDD_TEST, TestModule(), nullptr));
    EXPECT_EQ(nullptr, FwDlg::pDlgInit);
    // A template that does not exist makes no dialog, and no later one may bind to us.
    LoggingDlg missing;
    EXPECT_EQ(-1, missing.Modal(999, TestModule(), nullptr));
    EXPECT_EQ(nullptr, FwDlg::pDlgInit);
    EXPECT_EQ(static_cast<UINT>(IDD_TEST), dlg.idAtInit);
    EXPECT_NE(nullptr, dlg.hWndAtInit);
    EXPECT_EQ(77, listCmd);
    EXPECT_EQ(0, editCmd);
    EXPECT_EQ(5, listNotify);
    EXPECT_EQ(0, spinNotify);
    const CallLog expected = {
        "PreInit", "OnInitDialog", "list.OnInit", "script", "list.OnDrawItem",
        "OnCommand 102 2", "list.OnCommand 2",
        "OnNotify 102", "list.OnNotify 1234", "OnNotify 104",
        "OnHelp general", "list.OnDeleteItem 41",
        "OnOK", "list.Store",
    };
    EXPECT_EQ(expected, dlg.log);
    // Cancel closes with IDCANCEL without storing the controls.
    LoggingDlg cancelled;
    cancelled.script = [](LoggingDlg& d) { d.PostCmd(IDCANCEL); };
    EXPECT_EQ(IDCANCEL, cancelled.Modal(IDD_TEST, TestModule(), nullptr));
    EXPECT_EQ((CallLog{"PreInit", "OnInitDialog", "list.OnInit", "OnCancel"}), cancelled.log);
}

TEST_F(FwDlgTest, ControlBindsOnceAndGivesItsWindowBackWhenDestroyed)
{
    LoggingDlg dlg;
    ASSERT_NE(nullptr, dlg.Modeless(IDD_TEST, TestModule(), nullptr));
    HWND hList = dlg.GetDlgItem(IDC_LIST);
    WNDPROC ownProc = dlg.list.pfnPrevWndProc;
    EXPECT_EQ(0, dlg.list.Init(&dlg, IDC_EDIT)); // already bound: nothing changes
    EXPECT_EQ(static_cast<UINT>(IDC_LIST), dlg.list.GetID());
    EXPECT_EQ(&dlg.list, dlg.GetDlgCtrl(IDC_LIST));
    EXPECT_EQ(1, dlg.listCtrls.GetCount());
    // Formatting a control's own text.
    dlg.SetDlgItemTextA(IDC_EDIT, "%d of %s");
    dlg.SetDlgItemTextFmtCtrl(IDC_EDIT, 3, "five");
    char text[64];
    dlg.GetDlgItemTextA(IDC_EDIT, text, sizeof(text));
    EXPECT_STREQ("3 of five", text);
    // The list box's own procedure comes back at WM_DESTROY.
    DestroyWindow(hList);
    EXPECT_EQ(nullptr, dlg.list.pfnPrevWndProc);
    EXPECT_NE(nullptr, ownProc);
    dlg.Destroy();
}
