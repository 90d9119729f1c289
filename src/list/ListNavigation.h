#pragma once
// The list box's rules for what the mouse and the keyboard do to the current row, the selected
// rows and the anchor of Shift ranges. The widget translates its events into these calls.

#include <Qt>

class ListModel;
class QString;

class ListNavigation {
public:
    explicit ListNavigation(ListModel &list) : list_(list) {}

    // Left button down on an existing row. A press on a selected row of a multi-select list
    // only makes it current: it may start dragging the whole selection, so the click itself
    // waits for release().
    void press(int row, Qt::KeyboardModifiers modifiers);
    // Left button up: a click that press() held back takes effect now.
    void release();
    // The press turned into a drag or another button went down: a held-back click is dropped.
    void cancelClick() { deferredRow_ = -1; }
    // Right click on a row (-1: no row): toggles its selection in a multi-select list.
    void rightClick(int row);
    // Arrow keys, Home, End, PgUp and PgDn (Qt key codes); visibleRows is the number of whole
    // rows in view. False for any other key.
    bool key(int key, Qt::KeyboardModifiers modifiers, int visibleRows);
    // A typed character: the next row after the current one, going round, whose text in
    // column `column` starts with it, in any case.
    void typeAhead(const QString &text, int column);

private:
    // Makes a row current; Ctrl toggles the row on a click and moves only the caret from the
    // keyboard.
    void selectTo(int row, Qt::KeyboardModifiers modifiers, bool ctrlToggles);

    ListModel &list_;
    int deferredRow_ = -1;
    Qt::KeyboardModifiers deferredModifiers_;
};
