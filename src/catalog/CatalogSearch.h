#pragma once
// Finding a text in the catalog list: from the row after the current one down to the last row,
// in the display texts upper-cased by letters a to z only.

#include <QString>
#include <Qt>

class Dialogs;
class SongList;

class CatalogSearch {
public:
    CatalogSearch(SongList &all, Dialogs &dialogs);

    // Asks for the text (the previous one is offered) and moves to the next row that holds it.
    void FindBtnClick();
    // Ctrl+F, with no other modifier, runs the search; true when the key was used and must be
    // swallowed (the window previews keys before its controls see them).
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

    QString searchText() const { return searchText_; }
    // Rows above the start are not searched: there is no wrap-around. -1 when none matches.
    int findFrom(int startRow, const QString &text) const;

private:
    SongList &all_;
    Dialogs &dialogs_;
    QString searchText_;
};
