// End to end: folder sets on the Screen Saver page of the real sheet, added through the
// system's folder picker (which opens on the user's pictures, redirected here to folders of
// the test) and removed again; what the list shows, and what OK stores.
#include <gtest/gtest.h>
#include <shlwapi.h>
#include "SheetRun.h"
#include "../base/RegTestUtil.h"
#include "base/FwHandle.h"
#include "ui/CheckListBox.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// The user's pictures folder pointed elsewhere while the test runs.
struct PicturesAside {
    const RawValue saved = RawGet(kShellFolders, "My Pictures");
    ~PicturesAside()
    {
        if (saved.type)
            RawSet(kShellFolders, "My Pictures", saved.type, saved.bytes.data(),
                   static_cast<DWORD>(saved.bytes.size()));
        else
            SHDeleteValueA(HKEY_CURRENT_USER, kShellFolders, "My Pictures");
    }
    void Set(const std::string& path) { RawSetStr(kShellFolders, "My Pictures", path.c_str()); }
};

// The text an entry of the sheet's check list shows, read from the sheet's process.
std::string ItemText(const SheetRun& run, int index)
{
    FwHandle proc(OpenProcess(PROCESS_VM_READ, FALSE, run.proc.Id()));
    CheckListItem rec = {};
    char text[300] = "";
    LRESULT data = run.Send(1001, LB_GETITEMDATA, index);
    if (!proc.IsReady() || data == LB_ERR ||
        !ReadProcessMemory(proc, reinterpret_cast<void*>(data), &rec, sizeof rec, nullptr))
        return "(none)";
    ReadProcessMemory(proc, rec.pszText, text, sizeof text - 1, nullptr);
    return text;
}

// Clicks Add folder... and OK on the picker that it opens; false when no picker came.
bool AddFromPicker(SheetRun& run)
{
    PostMessageA(run.Item(1030), BM_CLICK, 0, 0);
    HWND picker = nullptr;
    if (!WaitFor([&] { return (picker = FindProcessWindow(run.proc.Id(), "#32770", "Browse for Folder")) &&
                              IsWindowVisible(picker); }))
        return false;
    PostMessageA(picker, WM_COMMAND, IDOK, 0);
    return WaitFor([&] { return !IsWindow(picker); });
}

// Selects the entry with the keys a user presses, so that the page hears of it.
void SelectWithKeys(const SheetRun& run, int index)
{
    run.Send(1001, WM_KEYDOWN, VK_HOME);
    for (int i = 0; i < index; i++)
        run.Send(1001, WM_KEYDOWN, VK_DOWN);
}

} // namespace

TEST(ImageSetPage, FolderSetsAddedThroughThePickerRemovedAndStored)
{
    SheetRun run;
    ASSERT_TRUE(run.aside.Ready());
    PicturesAside pictures;
    const std::string photos = run.dir / "My Photos", trip = run.dir / "Trip";
    CreateDirectoryA(photos.c_str(), nullptr);
    CreateDirectoryA(trip.c_str(), nullptr);
    pictures.Set(photos);
    RawSet(kSettingsKey, "SS", REG_BINARY, "1A\0" "0B\0" "1C\0", 10);
    ASSERT_TRUE(run.Start());
    run.Page(1);
    EXPECT_EQ("A (1)", ItemText(run, 0)) << "a numbered set shows its pictures";
    EXPECT_FALSE(IsWindowEnabled(run.Item(1031))) << "a numbered set cannot be removed";

    ASSERT_TRUE(AddFromPicker(run));
    ASSERT_EQ(4, run.Send(1001, LB_GETCOUNT));
    EXPECT_EQ(0, run.Send(1001, LB_GETCURSEL)) << "a new folder comes first, selected";
    std::string label = ItemText(run, 0);
    EXPECT_EQ(0u, label.find("My Photos - C:\\")) << label;
    EXPECT_NE(std::string::npos, label.find("\\My Photos")) << label;
    EXPECT_TRUE(IsWindowEnabled(run.Item(1031)));
    // The same folder again, picked with another set selected: the entry is selected instead.
    SelectWithKeys(run, 2);
    EXPECT_FALSE(IsWindowEnabled(run.Item(1031)));
    ASSERT_TRUE(AddFromPicker(run));
    EXPECT_EQ(4, run.Send(1001, LB_GETCOUNT));
    EXPECT_EQ(0, run.Send(1001, LB_GETCURSEL));

    // A second folder (the picker opens on a selected folder set, so a numbered one is
    // selected first); once it is gone the list says so; then it is removed.
    pictures.Set(trip);
    SelectWithKeys(run, 1);
    ASSERT_TRUE(AddFromPicker(run));
    ASSERT_EQ(5, run.Send(1001, LB_GETCOUNT));
    EXPECT_EQ(0u, ItemText(run, 0).find("Trip - "));
    EXPECT_TRUE(WaitFor([&] { return ItemText(run, 0).find("(0)") != std::string::npos; })) << ItemText(run, 0);
    RemoveDirectoryA(trip.c_str());
    EXPECT_TRUE(WaitFor([&] { return ItemText(run, 0).find("(missing)") != std::string::npos; })) << ItemText(run, 0);
    run.Send(1031, BM_CLICK);
    EXPECT_EQ(4, run.Send(1001, LB_GETCOUNT));
    EXPECT_EQ(0, run.Send(1001, LB_GETCURSEL)) << "the next set is selected";

    ASSERT_EQ(1u, run.Close(PSBTN_OK));
    // The picker gives the letter case the file system reports.
    std::string expected = "1" + photos + std::string("\0" "1A\0" "0B\0" "1C\0", 11);
    std::string stored = RawGet(kSettingsKey, "SS").bytes;
    CharLowerBuffA(&expected[0], static_cast<DWORD>(expected.size()));
    CharLowerBuffA(&stored[0], static_cast<DWORD>(stored.size()));
    EXPECT_EQ(expected, stored) << "the sets are stored, not their labels";
}
