#pragma once
// The state of one list box: its rows (each refers to a track record it does not own), the
// current row, the selected rows and the top visible row. Row texts are built on demand from
// the record, so a row always shows what its record holds now.

#include "catalog/TSong.h"

#include <QObject>
#include <cstdint>
#include <vector>

class SongList : public QObject {
    Q_OBJECT
public:
    using RowTextFn = ShortStr (TSong::*)() const;

    SongList(RowTextFn textOfRow, bool multiSelect, QObject *parent = nullptr);

    int count() const { return static_cast<int>(rows_.size()); }
    TSong *song(int row) const { return rows_[row]; }
    ShortStr rowText(int row) const { return (rows_[row]->*rowText_)(); }
    const std::vector<TSong *> &songs() const { return rows_; }
    // Row of the record, -1 when absent; linear in the number of rows.
    int indexOf(const TSong *song) const;

    void append(TSong *song);
    void insert(int row, TSong *song);
    void removeAt(int row);
    void clear();
    // Replaces all rows at once (bulk load, sorting); current row and selection are cleared.
    void setSongs(std::vector<TSong *> songs);

    bool multiSelect() const { return multiSelect_; }
    int currentRow() const { return current_; }
    void setCurrentRow(int row);
    bool isSelected(int row) const { return selected_[row] != 0; }
    void setSelected(int row, bool on);
    void clearSelection();
    std::vector<int> selectedRows() const;
    int selectedCount() const { return selectedCount_; }
    int topRow() const { return top_; }
    void setTopRow(int row);

    // Tells the views that the texts of the rows changed (their records were edited).
    void notifyRowsChanged() { emit rowsChanged(); }

signals:
    void rowsChanged();
    void currentRowChanged(int row);
    void selectionChanged();
    void topRowChanged(int row);

private:
    RowTextFn rowText_;
    bool multiSelect_;
    std::vector<TSong *> rows_;
    std::vector<uint8_t> selected_;
    int selectedCount_ = 0;
    int current_ = -1;
    int top_ = 0;
};
