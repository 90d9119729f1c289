#pragma once
// The order of the catalog list: the sort key in force, the Reversed flag and the state of the
// Sort menu and the `SortBy` combo box that show them. The window mirrors that state whenever
// sortStateChanged() is emitted and calls the handlers below for the user's commands.

#include "catalog/SongList.h"

#include <QObject>
#include <string>

class Collation;
class Utf16Text;

// The values are the item indexes of `SortBy`.
enum class SortKind { None = -1, Artist = 0, AlbumTrack = 1, CD = 2, PlayTime = 3 };

// Appends the text by which a record sorts under kind (not None).
void AppendSortKeyText(SortKind kind, const TSong &song, Utf16Text &out);

class CatalogSort : public QObject {
    Q_OBJECT
public:
    CatalogSort(SongList &all, const Collation &collation, QObject *parent = nullptr);

    SortKind keyInForce() const { return inForce_; }
    // Check marks: byBand1, bySong1, byCD1, byTime1 are checked when theirs is the key in force.
    bool isChecked(SortKind kind) const { return inForce_ != SortKind::None && inForce_ == kind; }
    bool reversed() const { return reversed_; }
    int sortByIndex() const { return sortByIndex_; }

    // Reorders the catalog list by kind; a request for the key in force does nothing unless forced.
    void Sort(SortKind kind, bool forced);
    // After rows were added (an import): the key in force again, if there is one.
    void SortAgain();

    void SortbyBand1Click() { Sort(SortKind::Artist, false); }
    void SortbySong1Click() { Sort(SortKind::AlbumTrack, false); }
    void SortbyCD1Click() { Sort(SortKind::CD, false); }
    void SortbyTime1Click() { Sort(SortKind::PlayTime, false); }
    void ReversedSortClick();
    // The user picked item index of `SortBy`.
    void SortByChange(int index);

signals:
    // The key in force, the Reversed mark or the `SortBy` index changed.
    void sortStateChanged();

private:
    SongList &all_;
    const Collation &collation_;
    SortKind inForce_ = SortKind::None;
    bool reversed_ = false;
    int sortByIndex_ = 0;
};
