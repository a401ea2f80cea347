#include "config/ImageSetList.h"
#include <shlwapi.h>
#include <cstring>
#include <new>
#include <string>
#include "base/Mbcs.h"
#include "base/Path.h"
#include "base/FwDC.h"
#include "options/ImageSetInfo.h"
#include "options/ImageSetNames.h"
#include "base/GdiHolders.h"

// What an entry stores: its set's name and the count last shown.
struct ImageSetList::Entry {
    std::string name;
    long count;
};

namespace {

const long kUnknown = -2;
const int cxTextLeft = 18; // the check box column and the gap before the text

// " (1,234)" with the user's digit grouping; " (missing)"; nothing while unknown.
std::string CountText(long count)
{
    if (count == kUnknown)
        return "";
    if (count < 0)
        return " (missing)";
    char digits[16], sep[8] = ",", grouped[32];
    wsprintfA(digits, "%ld", count);
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep);
    NUMBERFMTA fmt = {0, 1, 3, const_cast<char*>("."), sep, 1};
    if (!GetNumberFormatA(LOCALE_USER_DEFAULT, 0, digits, &fmt, grouped, sizeof grouped))
        lstrcpynA(grouped, digits, sizeof grouped);
    return std::string(" (") + grouped + ")";
}

int TextWidth(HDC dc, const std::string& text)
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Same folder: letter case and one closing separator aside.
bool SameSet(const std::string& a, const char* b)
{
    char x[MAX_PATH + 1], y[MAX_PATH + 1];
    lstrcpynA(x, a.c_str(), sizeof x);
    lstrcpynA(y, b, sizeof y);
    if (IsFolderSetName(x) && !IsRootFolder(x, 1))
        RemoveBackSlash(x);
    if (IsFolderSetName(y) && !IsRootFolder(y, 1))
        RemoveBackSlash(y);
    return StrCompare(x, y, 1) == 0;
}

} // namespace

int ImageSetList::AddSet(const char* item, int index)
{
    if (!item)
        return -1;
    Entry* entry = new (std::nothrow) Entry{ImageSetName(item), kUnknown};
    if (!entry)
        return -1;
    DWORD data = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(entry));
    int at = index < 0 ? AddItem(entry->name.c_str(), nullptr, data)
                       : InsertItem(index, entry->name.c_str(), nullptr, data);
    if (at < 0) {
        delete entry; // the list freed the record without telling us
        return -1;
    }
    if (IsImageSetInUse(item))
        SetCheck(at, 1);
    std::string stored = std::string("1") + entry->name;
    entry->count = CountSetPictures(stored.c_str());
    Relabel(at, entry);
    return at;
}

ImageSetList::Entry* ImageSetList::GetEntry(int index)
{
    CheckListItem* rec = GetRecord(index);
    return rec ? reinterpret_cast<Entry*>(static_cast<UINT_PTR>(rec->dwData)) : nullptr;
}

const char* ImageSetList::GetSetName(int index)
{
    Entry* entry = GetEntry(index);
    return entry ? entry->name.c_str() : nullptr;
}

int ImageSetList::FindSet(const char* name)
{
    int count = GetCount();
    for (int i = 0; name && i < count; i++) {
        Entry* entry = GetEntry(i);
        if (entry && SameSet(entry->name, name))
            return i;
    }
    return -1;
}

bool ImageSetList::UpdateCounts()
{
    bool watch = false;
    int count = GetCount();
    for (int i = 0; i < count; i++) {
        Entry* entry = GetEntry(i);
        // A folder set may be unplugged, come back or finish its index while the page shows.
        if (!entry || (entry->count != kUnknown && !IsFolderSetName(entry->name.c_str())))
            continue;
        watch = true;
        std::string stored = std::string("1") + entry->name;
        long now = CountSetPictures(stored.c_str());
        if (now != entry->count) {
            entry->count = now;
            Relabel(i, entry);
        }
    }
    return watch;
}

void ImageSetList::OnDeleteItem(DWORD data)
{
    delete reinterpret_cast<Entry*>(static_cast<UINT_PTR>(data));
}

// A numbered set shows its name; a folder set its folder's name and its path shortened in
// the middle to what the row leaves free. Room for a vertical scroll bar is kept, so that
// labels still fit once the list grows one.
void ImageSetList::Relabel(int index, Entry* entry)
{
    std::string count = CountText(entry->count);
    const char* name = entry->name.c_str();
    if (!IsFolderSetName(name)) {
        SetItemText(index, (entry->name + count).c_str());
        return;
    }
    const char* leaf = FindNameExt(name);
    if (!leaf || !*leaf) {
        SetItemText(index, (entry->name + count).c_str()); // a drive or share root
        return;
    }
    std::string head = std::string(leaf) + " - ";
    RECT rc;
    GetClientRect(hWnd, &rc);
    ClientDC dc(hWnd);
    DCSelection font(dc, reinterpret_cast<HGDIOBJ>(SendMsg(WM_GETFONT)));
    int room = rc.right - cxTextLeft - GetSystemMetrics(SM_CXVSCROLL) - TextWidth(dc, head) - TextWidth(dc, count);
    char path[MAX_PATH];
    lstrcpynA(path, name, sizeof path);
    if (room < TextWidth(dc, "C:\\...") || !PathCompactPathA(dc, path, room)) {
        SetItemText(index, (std::string(leaf) + count).c_str());
        return;
    }
    SetItemText(index, (head + path + count).c_str());
}
