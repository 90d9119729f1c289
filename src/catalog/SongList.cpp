#include "catalog/SongList.h"

#include <algorithm>

SongList::SongList(RowTextFn textOfRow, bool multiSelect, QObject *parent)
    : QObject(parent), rowText_(textOfRow), multiSelect_(multiSelect)
{
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
    selected_.insert(selected_.begin() + row, 0);
    if (current_ >= row)
        ++current_;
    emit rowsChanged();
}

void SongList::removeAt(int row)
{
    if (selected_[row])
        --selectedCount_;
    rows_.erase(rows_.begin() + row);
    selected_.erase(selected_.begin() + row);
    if (current_ > row || current_ >= count())
        --current_;
    if (top_ >= count())
        top_ = std::max(0, count() - 1);
    emit rowsChanged();
}

void SongList::clear()
{
    setSongs({});
}

void SongList::setSongs(std::vector<TSong *> songs)
{
    rows_ = std::move(songs);
    selected_.assign(rows_.size(), 0);
    selectedCount_ = 0;
    current_ = -1;
    top_ = 0;
    emit rowsChanged();
    emit currentRowChanged(current_);
}

void SongList::setCurrentRow(int row)
{
    if (row < -1 || row >= count())
        row = -1;
    if (row == current_)
        return;
    current_ = row;
    emit currentRowChanged(row);
}

void SongList::setSelected(int row, bool on)
{
    if (row < 0 || row >= count() || (selected_[row] != 0) == on)
        return;
    if (on && !multiSelect_)
        clearSelection();
    selected_[row] = on;
    selectedCount_ += on ? 1 : -1;
    emit selectionChanged();
}

void SongList::clearSelection()
{
    if (selectedCount_ == 0)
        return;
    std::fill(selected_.begin(), selected_.end(), 0);
    selectedCount_ = 0;
    emit selectionChanged();
}

std::vector<int> SongList::selectedRows() const
{
    std::vector<int> rows;
    rows.reserve(selectedCount_);
    for (int i = 0; i < count() && static_cast<int>(rows.size()) < selectedCount_; ++i)
        if (selected_[i])
            rows.push_back(i);
    return rows;
}

void SongList::setTopRow(int row)
{
    row = std::max(0, std::min(row, count() - 1));
    if (row == top_)
        return;
    top_ = row;
    emit topRowChanged(row);
}
