#include "widgets/TabColumns.h"

#include <gtest/gtest.h>

namespace {
TabColumns Layout(std::vector<int> widths, bool fixed = false)
{
    TabColumns columns;
    columns.tabFixedSize = fixed;
    columns.update(widths, 528);
    return columns;
}
} // namespace

TEST(TabColumns, PositionsFromSections)
{
    // Column 2 starts at position 3; every position past the expected ones is 0.
    struct Case { const char *name; std::vector<int> widths; int listWidth; bool fixed; std::vector<int> expected; };
    const Case cases[] = {
        {"catalog", {126, 267, 73, 57}, 528, false, {24, 74, 88, 99}},
        {"playlist", {49, 236, 63, 55}, 500, false, {10, 57, 70, 81}},
        {"fixed", {126, 267, 73, 57}, 528, true, {126, 267, 73, 57}},
        {"a section of width 0 keeps its position and takes no room", {100, 0, 50}, 200, false, {50, 3, 75}},
        {"fixed, negative width", {100, -5, 50}, 200, true, {100, 3, 50}},
        {"a list without width keeps its layout", {10, 10}, 0, false, {0, 3}},
        {"more than twenty sections fill twenty columns", std::vector<int>(25, 7), 100, true, std::vector<int>(20, 7)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TabColumns columns;
        columns.tabFixedSize = c.fixed;
        columns.setPosition(2, 3);
        columns.update(c.widths, c.listWidth);
        const int count = static_cast<int>(c.expected.size());
        for (int i = 1; i <= count; ++i)
            EXPECT_EQ(columns.position(i), c.expected[i - 1]) << "column " << i;
        EXPECT_EQ(columns.position(count + 1), 0) << "column " << count + 1;
    }
}

TEST(TabColumns, CellRightEdges)
{
    const TabColumns percent = Layout({126, 267, 73, 57}), fixed = Layout({126, 267, 73, 57}, true);
    struct Case { const TabColumns *columns; int column; bool header; int left; int expected; };
    const Case cases[] = {
        {&percent, 1, true, 0, 124},    // nearest(126.72) - 3
        {&percent, 2, true, 128, 388},  // nearest(390.72) - 3
        {&percent, 3, true, 392, 462},  // nearest(464.64) - 3
        {&percent, 4, true, 466, 520},  // the last column reaches the row's edge
        {&percent, 1, false, 0, 520},   // no header: one column over the whole row
        {&fixed, 1, true, 0, 123},
        {&fixed, 2, true, 127, 391},
        {&fixed, 4, true, 466, 520},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.columns->cellRight(c.column, 4, c.header, c.left, 520, 528), c.expected)
            << "column " << c.column << (c.columns == &fixed ? ", fixed" : "");
}

TEST(TabColumns, ColumnUnderPoint)
{
    const TabColumns percent = Layout({126, 267, 73, 57}), fixed = Layout({10, 20}, true);
    struct Case { const TabColumns *columns; int x; int expected; };
    const Case cases[] = {
        {&percent, -4, 0}, {&percent, 0, 0}, {&percent, 1, 1}, {&percent, 127, 1}, {&percent, 128, 2},
        {&percent, 391, 2}, {&percent, 392, 3}, {&percent, 465, 3}, {&percent, 466, 4}, {&percent, 900, 4},
        {&fixed, 0, 0}, {&fixed, 10, 1}, {&fixed, 11, 2}, {&fixed, 30, 2}, {&fixed, 31, 2},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.columns->columnAt(c.x, 528), c.expected) << "x " << c.x << (c.columns == &fixed ? ", fixed" : "");
}

TEST(TabColumns, SectionsKeepTheirShareOfANewWidth)
{
    // Laid out on 528 pixels. Sections left alone stay -1: fitting stops at the first column
    // without a position.
    struct Case { std::vector<int> widths; int newWidth, sections, minWidth; std::vector<int> expected; };
    const std::vector<int> catalog{126, 267, 73, 57};
    const Case cases[] = {
        {catalog, 1056, 4, 0, {253, 528, 148, 116}},
        {catalog, 528, 4, 0, {127, 264, 74, 58}},
        {catalog, 100, 4, 0, {24, 50, 14, 11}},
        // The header's own limit is what the following sections are measured against.
        {catalog, 100, 4, 30, {30, 44, 30, 30}},
        {{100, 100}, 400, 4, 0, {76, 76, -1, -1}},
    };
    for (const Case &c : cases) {
        std::vector<int> widths(c.sections, -1);
        Layout(c.widths).fitSections(c.newWidth, c.sections, [&](int index, int width) {
            widths[index] = std::max(width, c.minWidth);
            return widths[index];
        });
        EXPECT_EQ(widths, c.expected) << c.newWidth << ", at least " << c.minWidth;
    }
}
