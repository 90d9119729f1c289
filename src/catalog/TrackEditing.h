#pragma once
// Editing a track's texts from either list and deleting the selected tracks of the catalog.

#include <QChar>

class Catalog;
class Selection;
class ListModel;
class SongList;

class TrackEditing {
public:
    TrackEditing(Catalog &catalog, Selection &selection);

    // Edits the track of sender's current row; sender is the catalog list or the selection list.
    void allDblClick(SongList &sender);
    // A character typed in the catalog list; true when it was a blank, which starts an edit and
    // must not reach the list.
    bool allKeyPress(QChar key);
    // focused: the list that has the keyboard focus, null when another control has it.
    void EditTrackBtnClick(const ListModel *focused);
    // key: a Qt::Key code, any modifiers. True when the key was consumed (Delete with a current
    // row); the question, the deletion and the new current row happen here.
    bool allKeyDown(int key);

private:
    void deleteSelectedTracks();

    Catalog &catalog_;
    Selection &selection_;
};
