#pragma once
// Which list has the keyboard focus: the window knows, the commands ask.

class ListModel;

class ListFocus {
public:
    virtual ~ListFocus() = default;
    // The list whose box has the focus; null when another control has it.
    virtual const ListModel *focusedList() const = 0;
};
