#pragma once
// What a list shows: a number of rows, each a text with tab characters between its columns, and
// the track record a row stands for (none for a row of plain text). Texts may be built on
// demand, so a list of any length costs nothing until its rows are shown.

#include "util/ShortStr.h"
#include "util/ShortStrings.h"

#include <optional>

class TSong;

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int count() const = 0;
    virtual ShortStr rowText(int row) const = 0;
    // The record of the row, not owned; null for a row of plain text.
    virtual TSong *song(int row) const = 0;
    // The first character of column `column` of the row's text (FieldPos with tabs); none when
    // the row has no such column. Lists whose rows are costly to build look into the row instead.
    virtual std::optional<char32_t> columnStart(int row, int column) const
    {
        return columnStartOf(rowText(row), column);
    }
    static std::optional<char32_t> columnStartOf(const ShortStr &text, int column)
    {
        const int pos = FieldPos(column, text, TabSet);
        return pos > 0 ? std::optional<char32_t>(text.at(pos)) : std::nullopt;
    }
};
