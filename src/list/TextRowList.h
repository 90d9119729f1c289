#pragma once
// A list of plain text rows (tab-separated columns) that stand for no track record, such as
// the file rows of an import.

#include "list/ListModel.h"

#include <vector>

class TextRowList : public ListModel {
    Q_OBJECT
public:
    explicit TextRowList(bool multiSelect, QObject *parent = nullptr);

    ShortStr rowText(int row) const override { return rows_[row]; }
    TSong *song(int) const override { return nullptr; }
    void reorder(const std::vector<uint32_t> &order) override;

    void append(const ShortStr &text);
    void setRowText(int row, const ShortStr &text);
    void removeAt(int row);
    void clear();

private:
    std::vector<ShortStr> rows_;
};
