// MoveArrows: the Move up-down control beside an image-set list. Its arrows, clicked or
// pressed while it has the keyboard, move the selected set up or down the list.
#pragma once
#include "ui/CheckListBox.h"
#include "ui/FwCtrl.h"

class MoveArrows : public FwCtrl {
public:
    CheckListBox* pList = nullptr; // the list whose selected set moves; not owned

    // Moves the selected set one place; nothing at either end or with nothing selected.
    void MoveSelected(int up);
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
};
