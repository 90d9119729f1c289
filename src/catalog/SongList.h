#pragma once
// A list of track rows: each row refers to a track record it does not own. Row texts are built
// on demand from the record, so a row always shows what its record holds now.

#include "catalog/TSong.h"
#include "list/ListModel.h"

#include <vector>

class SongList : public ListModel {
    Q_OBJECT
public:
    using RowTextFn = ShortStr (TSong::*)() const;

    SongList(RowTextFn textOfRow, bool multiSelect, QObject *parent = nullptr);

    TSong *song(int row) const override { return rows_[row]; }
    ShortStr rowText(int row) const override { return (rows_[row]->*rowText_)(); }
    std::optional<char32_t> columnStart(int row, int column) const override;
    void reorder(const std::vector<uint32_t> &order) override;

    const std::vector<TSong *> &songs() const { return rows_; }
    // Row of the record, -1 when absent; linear in the number of rows.
    int indexOf(const TSong *song) const;

    void append(TSong *song);
    void insert(int row, TSong *song);
    void removeAt(int row);
    void clear();
    // Replaces all rows at once (bulk load, sorting); current row and selection are cleared.
    void setSongs(std::vector<TSong *> songs);

private:
    RowTextFn rowText_;
    std::vector<TSong *> rows_;
};
