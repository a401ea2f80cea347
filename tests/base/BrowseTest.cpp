// The folder and file pickers, driven the way a user would: another thread waits for the
// picker dialog of the test thread, records what it shows and presses OK or Cancel.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <thread>
#include <vector>
#include "TestUtil.h"
#include <commctrl.h>
#include "base/Browse.h"
#include "base/Path.h"
#include "ui/FwWnd.h"

namespace {

// Waits for a visible dialog (class "#32770") of the given thread, records its title and
// the texts of its controls, then sends it the command.
class DialogDriver {
public:
    std::string title;
    std::vector<std::string> texts;
    bool bMissedSelection = false; // the picker never selected the named folder: cancelled

    // With a selection name, a folder picker is answered only once its tree has selected the
    // folder of that name (the picker selects its start folder after it appears).
    DialogDriver(DWORD threadId, WORD command, const char* pszSelection = nullptr)
        : selection(pszSelection ? pszSelection : ""),
          worker([this, threadId, command] { Run(threadId, command); })
    {
    }
    ~DialogDriver() { worker.join(); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

private:
    std::string selection;
    std::thread worker;

    bool TreeSelects(HWND dlg) const
    {
        HWND tree = FindWindowExA(dlg, nullptr, WC_TREEVIEWA, nullptr);
        HTREEITEM item = tree ? TreeView_GetSelection(tree) : nullptr;
        if (!item)
            return false;
        char text[MAX_PATH] = "";
        TVITEMA tvi = {};
        tvi.mask = TVIF_TEXT;
        tvi.hItem = item;
        tvi.pszText = text;
        tvi.cchTextMax = sizeof text;
        return SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi)) &&
               lstrcmpiA(text, selection.c_str()) == 0;
    }

    static std::string Text(HWND hWnd)
    {
        char text[256] = "";
        GetWindowTextA(hWnd, text, sizeof text);
        return text;
    }
    static BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
    {
        char cls[64] = "";
        GetClassNameA(hWnd, cls, sizeof cls);
        bool found = lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(hWnd);
        if (found)
            *reinterpret_cast<HWND*>(lParam) = hWnd;
        return !found;
    }
    static BOOL CALLBACK CollectText(HWND hWnd, LPARAM lParam)
    {
        reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(Text(hWnd));
        return TRUE;
    }
    void Run(DWORD threadId, WORD command)
    {
        HWND dlg = nullptr;
        for (int i = 0; i < 1500 && !dlg; ++i, Sleep(dlg ? 0 : 10))
            EnumThreadWindows(threadId, FindDialog, reinterpret_cast<LPARAM>(&dlg));
        if (!dlg)
            return; // the test sees the picker return without this driver's answer
        Sleep(300); // let the picker finish its own start-up (initial selection, file list)
        for (int i = 0; i < 1000 && !selection.empty() && !TreeSelects(dlg); ++i)
            Sleep(10);
        if (!selection.empty() && !TreeSelects(dlg)) {
            bMissedSelection = true;
            command = IDCANCEL;
        }
        title = Text(dlg);
        EnumChildWindows(dlg, CollectText, reinterpret_cast<LPARAM>(&texts));
        PostMessageA(dlg, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0);
    }
};

bool Contains(const std::vector<std::string>& texts, const std::string& s)
{
    return std::find(texts.begin(), texts.end(), s) != texts.end();
}

std::string Short(const std::string& path)
{
    char buf[MAX_PATH];
    DWORD n = GetShortPathNameA(path.c_str(), buf, sizeof buf);
    return n && n < sizeof buf ? buf : "";
}

bool SameText(const std::string& a, const std::string& b)
{
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

// A hidden edit control bound to an FwWnd.
class EditWindow {
public:
    FwWnd wnd;
    explicit EditWindow(const std::string& text)
    {
        wnd.Attach(CreateWindowExA(0, "EDIT", text.c_str(), WS_POPUP, 0, 0, 200, 20, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr));
    }
    ~EditWindow() { DestroyWindow(wnd.Detach()); }
    std::string Text()
    {
        char buf[520] = "";
        wnd.GetText(buf, sizeof buf);
        return buf;
    }
};

} // namespace

TEST(Browse, FolderPickerShowsTheTitleStartsAtThePathAndGivesItsLongName)
{
    ScratchDir dir;
    std::string target = dir / "Long Folder Name";
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    char path[MAX_PATH];
    strcpy(path, Short(target).c_str());
    ASSERT_STRNE(target.c_str(), path);
    // Wine's folder tree now and then loses its start selection while it fills itself; a
    // picker that never reaches the start folder in three openings is a real fault.
    int result = 0;
    bool bMissed = true;
    for (int attempt = 0; attempt < 3 && bMissed; ++attempt) {
        DialogDriver driver(GetCurrentThreadId(), IDOK, "Long Folder Name");
        result = BrowseForFolder(nullptr, path, nullptr, 0);
        bMissed = driver.bMissedSelection;
    }
    EXPECT_FALSE(bMissed);
    EXPECT_EQ(1, result);
    EXPECT_TRUE(SameText(target, path)) << path;
    EXPECT_STREQ("Long Folder Name", FindNameExt(path));

    // Cancel keeps the path.
    std::vector<std::string> texts;
    {
        DialogDriver driver(GetCurrentThreadId(), IDCANCEL);
        result = BrowseForFolder(nullptr, path, "Choose the pictures:", 0);
        texts = driver.texts;
    }
    EXPECT_EQ(0, result);
    EXPECT_TRUE(SameText(target, path)) << path;
    EXPECT_TRUE(Contains(texts, "Choose the pictures:"));
}

TEST(Browse, FileWindowCompletesItsTextAndTakesTheChoice)
{
    ScratchDir dir;
    std::string file = dir / "Picture Of Dunes.jpg";
    ASSERT_TRUE(WriteFileBytes(file, "x", 1));
    EditWindow edit("Picture Of Dunes.jpg");
    int result;
    std::string title;
    {
        DialogDriver driver(GetCurrentThreadId(), IDOK);
        result = edit.wnd.OnBrowseForFile(0, "Pick a picture", "Pictures|*.jpg", "jpg", dir.Path().c_str(), 0);
        title = driver.title;
    }
    EXPECT_EQ(1, result);
    EXPECT_EQ("Pick a picture", title);
    EXPECT_STREQ("Picture Of Dunes.jpg", FindNameExt(edit.Text().c_str()));
    EXPECT_TRUE(SameText(file, edit.Text())) << edit.Text();

    // Cancel leaves the window's text alone; the default title.
    edit.wnd.SetText("other.jpg");
    {
        DialogDriver driver(GetCurrentThreadId(), IDCANCEL);
        result = edit.wnd.OnBrowseForFile(1, nullptr, nullptr, nullptr, dir.Path().c_str(), 0);
        title = driver.title;
    }
    EXPECT_EQ(0, result);
    EXPECT_EQ("other.jpg", edit.Text());
    EXPECT_EQ("Browse for file", title);

}

TEST(Browse, FolderWindowStartsAtItsShortPathAndTakesTheLongOne)
{
    ScratchDir dir;
    std::string target = dir / "Image Sets";
    ASSERT_TRUE(CreateDirectoryA(target.c_str(), nullptr));
    EditWindow folder(Short(target));
    int result;
    {
        DialogDriver driver(GetCurrentThreadId(), IDOK);
        result = folder.wnd.OnBrowseForFolder("Where are the pictures?", 0);
    }
    EXPECT_EQ(1, result);
    EXPECT_TRUE(SameText(target, folder.Text())) << folder.Text();
}
