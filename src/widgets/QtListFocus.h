#pragma once
// The list that has the keyboard focus, as the commands ask for it: the model of the tabbed list
// box that is Qt's focus widget.

#include "app/ListFocus.h"

class QtListFocus : public ListFocus {
public:
    const ListModel *focusedList() const override;
    void focusList(const ListModel &list) override;
};
