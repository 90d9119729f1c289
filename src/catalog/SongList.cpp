#include "catalog/SongList.h"

#include "catalog/CatalogRowPieces.h"

#include <algorithm>

SongList::SongList(RowTextFn textOfRow, bool multiSelect, QObject *parent)
    : ListModel(multiSelect, parent), rowText_(textOfRow)
{
}

std::optional<char32_t> SongList::columnStart(int row, int column) const
{
    // Type-ahead looks into every row of the catalog list: its rows are read in place.
    if (rowText_ == &TSong::CatalogRow)
        return CatalogRowColumnStart(*rows_[row], column);
    return ListModel::columnStart(row, column);
}

void SongList::reorder(const std::vector<uint32_t> &order)
{
    // In place, cycle by cycle: a catalog of a million rows needs no second row table.
    std::vector<bool> placed(rows_.size());
    for (size_t start = 0; start < rows_.size(); ++start) {
        if (placed[start])
            continue;
        TSong *first = rows_[start];
        size_t row = start;
        for (size_t from = order[row]; from != start; row = from, from = order[row]) {
            rows_[row] = rows_[from];
            placed[row] = true;
        }
        rows_[row] = first;
        placed[row] = true;
    }
    rowsReset(static_cast<int>(rows_.size()));
}

int SongList::indexOf(const TSong *song) const
{
    auto it = std::find(rows_.begin(), rows_.end(), song);
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

void SongList::append(TSong *song)
{
    insert(count(), song);
}

void SongList::insert(int row, TSong *song)
{
    rows_.insert(rows_.begin() + row, song);
    rowInserted(row);
}

void SongList::removeAt(int row)
{
    rows_.erase(rows_.begin() + row);
    rowRemoved(row);
}

void SongList::clear()
{
    setSongs({});
}

void SongList::setSongs(std::vector<TSong *> songs)
{
    rows_ = std::move(songs);
    rowsReset(static_cast<int>(rows_.size()));
}
