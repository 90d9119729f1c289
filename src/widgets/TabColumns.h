#pragma once
// Column geometry of the tabbed list box, kept free of widgets so it is testable without a
// display. Columns are numbered from 1; a position of 0 means "no column".

#include "util/Rounding.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class TabColumns {
public:
    static constexpr int MaxColumns = 20;

    // With fixed size a position is the column's width in pixels; otherwise it is the column's
    // right edge as a whole percentage of the list's width.
    bool tabFixedSize = false;

    int position(int column) const;
    void setPosition(int column, int value);

    // Recomputes the positions from the header's section widths. Sections of width 0 or less
    // keep their old position and take no room.
    void update(const std::vector<int> &sectionWidths, int listWidth);

    // Right edge (exclusive) of cell `column` of a row whose text area starts at cellLeft for
    // this cell. columnCount is the number of header sections; with no header the first cell
    // takes the whole row.
    int cellRight(int column, int columnCount, bool hasHeader, int cellLeft, int rowRight, int listWidth) const;
    // Where the next cell starts, given the previous cell's right edge.
    static int nextCellLeft(int cellRight) { return cellRight + 4; }

    // The column whose left edge x has passed, 0 when x is not right of the first left edge.
    int columnAt(int x, int listWidth) const;

    // Gives the header sections their share of a new list width. setWidth(index, width) sets
    // section `index` (0-based) and returns the width the header really took.
    void fitSections(int newListWidth, int sectionCount, const std::function<int(int, int)> &setWidth) const;

private:
    int percentEdge(int column, int listWidth) const;
    std::array<int, MaxColumns> positions_{};
};
