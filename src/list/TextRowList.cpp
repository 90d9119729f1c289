#include "list/TextRowList.h"

TextRowList::TextRowList(bool multiSelect, QObject *parent) : ListModel(multiSelect, parent) {}

void TextRowList::reorder(const std::vector<uint32_t> &order)
{
    std::vector<ShortStr> rows;
    rows.reserve(order.size());
    for (uint32_t row : order)
        rows.push_back(std::move(rows_[row]));
    rows_ = std::move(rows);
    rowsReset(static_cast<int>(rows_.size()));
}

void TextRowList::append(const ShortStr &text)
{
    rows_.push_back(text);
    rowInserted(static_cast<int>(rows_.size()) - 1);
}

void TextRowList::setRowText(int row, const ShortStr &text)
{
    rows_[row] = text;
    notifyRowsChanged();
}

void TextRowList::removeAt(int row)
{
    rows_.erase(rows_.begin() + row);
    rowRemoved(row);
}

void TextRowList::clear()
{
    rows_.clear();
    rowsReset(0);
}
