#pragma once
// What a list shows: a number of rows, each a text with tab characters between its columns, and
// the track record a row stands for (none for a row of plain text). Texts may be built on
// demand, so a list of any length costs nothing until its rows are shown.

#include "util/ShortStr.h"

class TSong;

class RowSource {
public:
    virtual ~RowSource() = default;
    virtual int count() const = 0;
    virtual ShortStr rowText(int row) const = 0;
    // The record of the row, not owned; null for a row of plain text.
    virtual TSong *song(int row) const = 0;
};
