// ImageSetList: the image-set check list of the settings pages. Each entry keeps what the
// list stores (a numbered set's folder name in "Images", or a folder set's full path) apart
// from what it shows: the name, a folder set's path shortened to fit, and how many pictures
// the set holds.
#pragma once
#include "ui/CheckListBox.h"

class ImageSetList : public CheckListBox {
public:
    ImageSetList() : CheckListBox(nullptr, IDB_CHECKLIST) {}

    // Inserts the set of a list item (state character and name) at index, or appends it for
    // -1; checked unless its state is "0". Its index, or -1 when the list refused it.
    int AddSet(const char* item, int index = -1);
    // The stored name of the entry; null for none.
    const char* GetSetName(int index);
    // The entry whose set is the named one (letter case and a closing separator aside); -1.
    int FindSet(const char* name);
    // Asks again for the counts not known yet and for those of folder sets, and relabels
    // the entries whose count changed; true while some entry is worth asking again.
    bool UpdateCounts();

    using CheckListBox::OnDeleteItem;
    void OnDeleteItem(DWORD data) override;

private:
    struct Entry;
    Entry* GetEntry(int index);
    void Relabel(int index, Entry* entry);
};
