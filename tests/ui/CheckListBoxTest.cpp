// CheckListBox in the tests' dialog: toggling by keyboard and mouse, item records, the
// deletion hook, and the drawn boxes compared pixel by pixel with the strip's cells.
#include <gtest/gtest.h>
#include <algorithm>
#include "TestDialogs.h"
#include "UiTestUtil.h"
#include "base/FwDC.h"
#include "base/GdiHolders.h"
#include "ui/CheckListBox.h"
#include "ui/FwDlg.h"

namespace {

class HookedList : public CheckListBox {
public:
    std::vector<DWORD> deleted;
    void OnDeleteItem(DWORD data) override { deleted.push_back(data); }
    using CheckListBox::OnDeleteItem;
};

// The test dialog, shown, with the check list bound to its list box.
class ListDlg : public FwDlg {
public:
    HookedList list;
    explicit ListDlg(DWORD flags)
    {
        Modeless(IDD_TEST, TestModule(), nullptr);
        list.Init(this, IDC_LIST, nullptr, flags);
    }
    ~ListDlg() override { Destroy(); }
    RECT ItemRect(int i)
    {
        RECT rc = {};
        list.GetItemRect(i, &rc);
        return rc;
    }
    LPARAM ItemPoint(int i, int x)
    {
        RECT rc = ItemRect(i);
        return MAKELPARAM(x, (rc.top + rc.bottom) / 2);
    }
    // Pixels of the colour in item i from x0 to x1 (at most its width), in its first rows.
    int Pixels(int i, int x0, int x1, int rows, COLORREF colour)
    {
        RECT rc = ItemRect(i);
        ClientDC dc(list.hWnd);
        int n = 0;
        for (int y = rc.top; y < std::min<int>(rc.top + rows, rc.bottom); y++)
            for (int x = rc.left + x0; x < std::min<int>(rc.left + x1, rc.right); x++)
                n += GetPixel(dc, x, y) == colour;
        return n;
    }
};

// The 16x16 box of an item on the screen is the strip's cell.
bool BoxMatches(HWND list, const RECT& item, int cell)
{
    GdiObject strip(LoadImageA(GetModuleHandleA("VNT32.dll"), MAKEINTRESOURCEA(IDB_CHECKLIST),
                               IMAGE_BITMAP, 0, 0, LR_LOADTRANSPARENT));
    MemoryDC mem(nullptr);
    DCSelection select(mem.hDC, strip.hObj);
    ClientDC dc(list);
    for (int y = 0; y < 16; y++)
        for (int x = 0; x < 16; x++)
            if (GetPixel(dc, item.left + x, item.top + y) != GetPixel(mem.hDC, cell * 16 + x, y))
                return false;
    return true;
}

using CheckListBoxTest = UiTest;

} // namespace

// Space (WM_CHAR), a button release on the box (x < 17) or a press alone, on item 0.
TEST_F(CheckListBoxTest, SpaceAndAClickOnTheBoxToggleEnabledItems)
{
    const struct { DWORD flags; int state; bool enabled; UINT msg; int x, expected; } cases[] = {
        {CLB_AUTOCHECK, 0, true, WM_CHAR, 0, 1}, {CLB_AUTOCHECK, 1, true, WM_CHAR, 0, 0},
        {CLB_AUTOCHECK, 0, true, WM_LBUTTONUP, 16, 1}, {0, 0, true, WM_CHAR, 0, 0},
        {CLB_AUTOCHECK, 0, true, WM_LBUTTONUP, 17, 0}, {0, 0, true, WM_LBUTTONUP, 16, 0},
        {CLB_AUTOCHECK, 0, true, WM_LBUTTONDOWN, 8, 0}, {CLB_AUTOCHECK, 0, false, WM_CHAR, 0, 0},
        {CLB_AUTOCHECK, 1, false, WM_LBUTTONUP, 16, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "flags " << c.flags << " msg " << c.msg << " x " << c.x);
        ListDlg dlg(c.flags);
        dlg.list.AddItem("first", nullptr, 1);
        dlg.list.AddItem("second", nullptr, 2);
        dlg.list.SetCheck(0, c.state);
        dlg.list.EnableItem(0, c.enabled);
        dlg.list.SetCurSel(0);
        const WPARAM wp = c.msg == WM_CHAR ? ' ' : c.msg == WM_LBUTTONDOWN ? MK_LBUTTON : 0;
        dlg.list.SendMsg(c.msg, wp, c.msg == WM_CHAR ? 0 : dlg.ItemPoint(0, c.x));
        ReleaseCapture();
        EXPECT_EQ(c.expected, dlg.list.GetCheck(0));
        EXPECT_EQ(0, dlg.list.GetCheck(1));
    }
}

TEST_F(CheckListBoxTest, MovedItemKeepsItsRecordAndDeletionCallsTheHookOnce)
{
    ListDlg dlg(CLB_AUTOCHECK);
    EXPECT_EQ(0, dlg.list.CanMove(0, 0)); // empty
    const char* names[] = {"zero", "one", "two", "three"};
    for (DWORD i = 0; i < 4; i++)
        ASSERT_EQ(static_cast<int>(i), dlg.list.AddItem(names[i], nullptr, 100 + i));
    // Items move within the list only; no selection (-1) moves nowhere.
    const struct { UINT index; int up, can; } moves[] = {
        {0, 1, 0}, {3, 0, 0}, {UINT(-1), 1, 0}, {UINT(-1), 0, 0}, {3, 1, 1}, {0, 0, 1},
    };
    for (const auto& m : moves)
        EXPECT_EQ(m.can, dlg.list.CanMove(m.index, m.up)) << m.index << " " << m.up;
    dlg.list.SetCheck(2, 2);
    dlg.list.EnableItem(2, 0);
    dlg.list.MoveItem(2, 1);
    char text[32];
    EXPECT_EQ(102u, dlg.list.GetItem(1, text));
    EXPECT_STREQ("two", text);
    EXPECT_EQ(2, dlg.list.GetCheck(1));
    EXPECT_EQ(0, dlg.list.IsItemEnabled(1));
    EXPECT_EQ(1, dlg.list.GetCurSel());
    EXPECT_EQ(101u, dlg.list.GetItem(2, text));
    EXPECT_TRUE(dlg.list.deleted.empty()); // a move deletes nothing
    dlg.list.MoveItem(3, 0);               // the last item cannot go down
    EXPECT_EQ(103u, dlg.list.GetItem(3, nullptr));
    EXPECT_EQ(2, dlg.list.FindItem("ONE", 1, -1));
    EXPECT_EQ(-1, dlg.list.FindItem("ONE", 0, -1));
    EXPECT_EQ(-1, dlg.list.InsertItem(-1, "no", nullptr, 0));
    dlg.list.DelStr(0);
    EXPECT_EQ(std::vector<DWORD>{100}, dlg.list.deleted);
    // Closing the dialog frees every record once (in the system's order).
    dlg.Destroy();
    std::sort(dlg.list.deleted.begin() + 1, dlg.list.deleted.end());
    EXPECT_EQ((std::vector<DWORD>{100, 101, 102, 103}), dlg.list.deleted);
    EXPECT_EQ(nullptr, dlg.list.pfnPrevWndProc);
}

// The strip's cell of each [state][enabled], on the options the program's list has.
TEST_F(CheckListBoxTest, BoxesAreTheStripCellsOfStateAndEnabling)
{
    const int cells[3][2] = {{0, 1}, {4, 5}, {2, 3}};
    ListDlg dlg(CLB_AUTOCHECK);
    for (int i = 0; i < 6; i++) {
        dlg.list.AddItem("item", nullptr, i);
        dlg.list.SetCheck(i, i / 2);
        dlg.list.EnableItem(i, i % 2);
    }
    UpdateWindow(dlg.list.hWnd);
    for (int i = 0; i < 6; i++)
        EXPECT_TRUE(BoxMatches(dlg.list.hWnd, dlg.ItemRect(i), cells[i / 2][i % 2])) << i;
    // A disabled list box draws every item as disabled.
    EnableWindow(dlg.list.hWnd, FALSE);
    UpdateWindow(dlg.list.hWnd);
    EXPECT_TRUE(BoxMatches(dlg.list.hWnd, dlg.ItemRect(3), cells[1][0]));
}

TEST_F(CheckListBoxTest, TextColourExtentAndFocusRectangle)
{
    ListDlg dlg(CLB_AUTOCHECK);
    HWND hList = dlg.list.hWnd;
    const char* texts[] = {"Checked", "Unchecked", "Indeterminate, with the focus", "Disabled", "Unchecked"};
    for (int i = 0; i < 5; i++)
        dlg.list.AddItem(texts[i], nullptr, i);
    dlg.list.SetCheck(0, 1);
    dlg.list.SetCheck(2, 2);
    dlg.list.EnableItem(3, 0);
    std::string wide(120, 'W');
    dlg.list.AddItem(wide.c_str(), nullptr, 5);
    SetForegroundWindow(dlg.hWnd);
    SetFocus(hList);
    dlg.list.SetCurSel(0);
    dlg.list.SendMsg(WM_KEYDOWN, VK_DOWN, 0);
    UpdateWindow(hList);
    ASSERT_EQ(1, dlg.list.GetCurSel());
    // The disabled item's text is grey, an enabled one's is not.
    EXPECT_GT(dlg.Pixels(3, 18, 60, 99, GetSysColor(COLOR_GRAYTEXT)), 0);
    EXPECT_EQ(0, dlg.Pixels(3, 18, 60, 99, GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_GT(dlg.Pixels(2, 18, 60, 99, GetSysColor(COLOR_WINDOWTEXT)), 0);
    // A text wider than the list box makes room for itself.
    SIZE size = {};
    ClientDC measure(hList);
    SelectObject(measure, reinterpret_cast<HFONT>(SendMessageA(hList, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32A(measure, wide.c_str(), static_cast<int>(wide.size()), &size);
    EXPECT_EQ(size.cx + 10, dlg.list.SendMsg(LB_GETHORIZONTALEXTENT));
    // Focus moves from item 1 to item 2: one rectangle, on item 2 only.
    dlg.list.SendMsg(WM_KEYDOWN, VK_DOWN, 0);
    UpdateWindow(hList);
    RECT one = dlg.ItemRect(1);
    const int row = one.right - one.left - 16; // the top row right of the box
    EXPECT_EQ(GetSystemMetrics(SM_CYSMICON) + 2, one.bottom - one.top); // rows fit the boxes
    EXPECT_EQ(row, dlg.Pixels(1, 16, 9999, 1, GetSysColor(COLOR_WINDOW)));
    EXPECT_LT(dlg.Pixels(2, 16, 9999, 1, GetSysColor(COLOR_HIGHLIGHT)), row);
    // A full repaint fills the focused item over its rectangle, which must come back.
    InvalidateRect(hList, nullptr, TRUE);
    UpdateWindow(hList);
    EXPECT_LT(dlg.Pixels(2, 16, 9999, 1, GetSysColor(COLOR_HIGHLIGHT)), row) << "after a repaint";
}
