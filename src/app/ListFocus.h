#pragma once
// Which list has the keyboard focus: the window knows, the commands ask, and some commands move
// the focus to a list.

class ListModel;

class ListFocus {
public:
    virtual ~ListFocus() = default;
    // The list whose box has the focus; null when another control has it.
    virtual const ListModel *focusedList() const = 0;
    // Gives the focus to the box that shows the list.
    virtual void focusList(const ListModel &list) = 0;
};
