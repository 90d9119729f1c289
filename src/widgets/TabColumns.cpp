#include "widgets/TabColumns.h"

int TabColumns::position(int column) const
{
    return column >= 1 && column <= MaxColumns ? positions_[column - 1] : 0;
}

void TabColumns::setPosition(int column, int value)
{
    if (column >= 1 && column <= MaxColumns)
        positions_[column - 1] = value;
}

void TabColumns::update(const std::vector<int> &sectionWidths, int listWidth)
{
    // A list without width has no percentages; the old layout stays until it has one.
    if (!tabFixedSize && listWidth <= 0)
        return;
    int64_t accumulated = 0;
    const int count = static_cast<int>(sectionWidths.size());
    for (int i = 0; i < count && i < MaxColumns; ++i) {
        const int w = sectionWidths[i];
        if (w <= 0)
            continue;
        if (tabFixedSize) {
            positions_[i] = w;
        } else {
            positions_[i] = NearestRatio((w + accumulated) * 100, listWidth);
            accumulated += w;
        }
    }
}

int TabColumns::percentEdge(int column, int listWidth) const
{
    return NearestRatio(static_cast<int64_t>(listWidth) * position(column), 100);
}

int TabColumns::cellRight(int column, int columnCount, bool hasHeader, int cellLeft, int rowRight,
                          int listWidth) const
{
    if (!hasHeader || column == columnCount)
        return rowRight;
    if (tabFixedSize)
        return cellLeft + position(column) - 3;
    return percentEdge(column, listWidth) - 3;
}

int TabColumns::columnAt(int x, int listWidth) const
{
    int column = 0;
    int previousEdge = 0;
    while (column < MaxColumns && positions_[column] > 0 && x > previousEdge) {
        ++column;
        previousEdge = tabFixedSize ? previousEdge + positions_[column - 1] : percentEdge(column, listWidth);
    }
    return column;
}

void TabColumns::fitSections(int newListWidth, int sectionCount, const std::function<int(int, int)> &setWidth) const
{
    if (tabFixedSize)
        return;
    int given = 0;
    for (int i = 0; i < sectionCount && i < MaxColumns && positions_[i] != 0; ++i)
        given += setWidth(i, NearestRatio(static_cast<int64_t>(newListWidth) * positions_[i], 100) - given);
}
