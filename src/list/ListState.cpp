#include "list/ListState.h"

#include <algorithm>

ListState::ListState(bool multiSelect, QObject *parent) : QObject(parent), multiSelect_(multiSelect) {}

void ListState::setCurrentRow(int row)
{
    if (row < -1 || row >= count())
        row = -1;
    if (row == current_)
        return;
    setCurrentRow(row, row);
}

void ListState::setCurrentRow(int row, int anchor)
{
    if (row < -1 || row >= count())
        row = -1;
    anchor_ = anchor;
    if (row == current_)
        return;
    current_ = row;
    emit currentRowChanged(row);
}

void ListState::setSelected(int row, bool on)
{
    if (row < 0 || row >= count() || (selected_[row] != 0) == on)
        return;
    if (on && !multiSelect_)
        dropSelection();
    selected_[row] = on;
    selectedCount_ += on ? 1 : -1;
    emit selectionChanged();
}

void ListState::selectRange(int from, int to)
{
    if (!multiSelect_) {
        setSelected(to, true);
        return;
    }
    if (from > to)
        std::swap(from, to);
    bool changed = false;
    for (int row = std::max(from, 0); row <= std::min(to, count() - 1); ++row) {
        changed = changed || !selected_[row];
        selectedCount_ += !selected_[row];
        selected_[row] = 1;
    }
    if (changed)
        emit selectionChanged();
}

void ListState::clearSelection()
{
    if (dropSelection())
        emit selectionChanged();
}

bool ListState::dropSelection()
{
    if (selectedCount_ == 0)
        return false;
    std::fill(selected_.begin(), selected_.end(), 0);
    selectedCount_ = 0;
    return true;
}

std::vector<int> ListState::selectedRows() const
{
    std::vector<int> rows;
    rows.reserve(selectedCount_);
    for (int i = 0; i < count() && static_cast<int>(rows.size()) < selectedCount_; ++i)
        if (selected_[i])
            rows.push_back(i);
    return rows;
}

void ListState::setTopRow(int row)
{
    row = std::max(0, std::min(row, count() - 1));
    if (row == top_)
        return;
    top_ = row;
    emit topRowChanged(row);
}

bool ListState::anySelectedFrom(int row) const
{
    return selectedCount_ > 0 && std::find(selected_.begin() + row, selected_.end(), 1) != selected_.end();
}

void ListState::rowsReset(int count)
{
    const bool hadCurrent = current_ >= 0, hadSelection = selectedCount_ > 0, hadTop = top_ != 0;
    selected_.assign(static_cast<size_t>(count), 0);
    selectedCount_ = 0;
    current_ = -1;
    anchor_ = -1;
    top_ = 0;
    emit rowsChanged();
    if (hadCurrent)
        emit currentRowChanged(-1);
    if (hadSelection)
        emit selectionChanged();
    if (hadTop)
        emit topRowChanged(0);
}

void ListState::rowInserted(int row)
{
    // Selected rows at or after the new one move down by one.
    const bool selectionMoves = anySelectedFrom(row);
    selected_.insert(selected_.begin() + row, 0);
    const bool currentMoves = current_ >= row;
    if (currentMoves)
        ++current_;
    if (anchor_ >= row)
        ++anchor_;
    emit rowsChanged();
    if (currentMoves)
        emit currentRowChanged(current_);
    if (selectionMoves)
        emit selectionChanged();
}

void ListState::rowRemoved(int row)
{
    const bool selectionChanges = anySelectedFrom(row);
    if (selected_[row])
        --selectedCount_;
    selected_.erase(selected_.begin() + row);
    // The removed current row hands over to the row that takes its place, or the one above.
    const bool currentChanges = current_ >= row;
    if (current_ > row || current_ >= count())
        --current_;
    if (anchor_ > row || anchor_ >= count())
        --anchor_;
    const int oldTop = top_;
    if (top_ >= count())
        top_ = std::max(0, count() - 1);
    emit rowsChanged();
    if (currentChanges)
        emit currentRowChanged(current_);
    if (selectionChanges)
        emit selectionChanged();
    if (top_ != oldTop)
        emit topRowChanged(top_);
}
