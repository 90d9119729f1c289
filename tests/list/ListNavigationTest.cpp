#include "list/ListNavigation.h"

#include "list/TextRowList.h"

#include <gtest/gtest.h>

#include <QString>

#include <vector>

namespace {
using Rows = std::vector<int>;

struct Fixture {
    explicit Fixture(int rows, bool multiSelect = true) : list(multiSelect), navigation(list)
    {
        for (int i = 0; i < rows; ++i)
            list.append(QString("row %1").arg(i).toUtf8().constData());
    }
    void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        navigation.press(row, modifiers);
        navigation.release();
    }
    TextRowList list;
    ListNavigation navigation;
};
} // namespace

TEST(ListNavigation, ClicksInAMultiSelectList)
{
    struct Step { int row; Qt::KeyboardModifiers modifiers; Rows selected; };
    const Step steps[] = {
        {1, Qt::NoModifier, {1}}, {3, Qt::ControlModifier, {1, 3}},
        // Shift: from the last plain or Ctrl click.
        {5, Qt::ShiftModifier, {3, 4, 5}}, {2, Qt::ShiftModifier, {2, 3}},
        {0, Qt::ShiftModifier | Qt::ControlModifier, {0, 1, 2, 3}},
        {4, Qt::NoModifier, {4}}, {4, Qt::ControlModifier, {}}, {6, Qt::NoModifier, {6}}, {6, Qt::NoModifier, {6}},
    };
    Fixture f(8);
    for (const Step &s : steps) {
        f.click(s.row, s.modifiers);
        EXPECT_EQ(f.list.selectedRows(), s.selected) << "click on " << s.row;
        EXPECT_EQ(f.list.currentRow(), s.row) << "click on " << s.row;
    }
    // A Shift range starts at a row the program made current, and the keyboard extends it.
    f.list.setCurrentRow(2);
    f.click(4, Qt::ShiftModifier);
    EXPECT_EQ(f.list.selectedRows(), (Rows{2, 3, 4}));
    EXPECT_TRUE(f.navigation.key(Qt::Key_Down, Qt::ShiftModifier, 9));
    EXPECT_EQ(f.list.selectedRows(), (Rows{2, 3, 4, 5}));
    // With no current row the range starts at the clicked row.
    f.list.setCurrentRow(-1);
    f.click(7, Qt::ShiftModifier);
    EXPECT_EQ(f.list.selectedRows(), (Rows{7}));
}

TEST(ListNavigation, APressOnASelectedRowWaitsForTheRelease)
{
    struct Case { const char *name; Qt::KeyboardModifiers modifiers; bool dragged; Rows selected; int anchorAfter; };
    // Rows 2 to 5 selected from anchor 2, current 5; the press is on row 3.
    const Case cases[] = {
        {"plain: the row alone", Qt::NoModifier, false, {3}, 3},
        {"Ctrl: the row drops out", Qt::ControlModifier, false, {2, 4, 5}, 3},
        {"dragged: the selection stays", Qt::NoModifier, true, {2, 3, 4, 5}, 2},
        {"Shift: at once", Qt::ShiftModifier, false, {2, 3}, 2},
    };
    for (const Case &c : cases) {
        Fixture f(8);
        f.click(2);
        f.click(5, Qt::ShiftModifier);
        f.navigation.press(3, c.modifiers);
        EXPECT_EQ(f.list.currentRow(), 3) << c.name;
        if (c.modifiers != Qt::ShiftModifier) {
            EXPECT_EQ(f.list.selectedRows(), (Rows{2, 3, 4, 5})) << c.name;
        }
        if (c.dragged)
            f.navigation.cancelClick();
        f.navigation.release();
        EXPECT_EQ(f.list.selectedRows(), c.selected) << c.name;
        EXPECT_EQ(f.list.anchorRow(), c.anchorAfter) << c.name;
    }
    // A row removed before the release is not clicked.
    Fixture f(3);
    f.click(2);
    f.navigation.press(2, Qt::NoModifier);
    f.list.removeAt(2);
    f.navigation.release();
    EXPECT_EQ(f.list.selectedRows(), Rows{});
    EXPECT_EQ(f.list.currentRow(), 1);
}

TEST(ListNavigation, ASingleSelectListOnlyMovesItsCurrentRow)
{
    Fixture f(3, false);
    struct Step { int row; Qt::KeyboardModifiers modifiers; };
    for (const Step &s : {Step{2, Qt::NoModifier}, Step{1, Qt::ControlModifier}, Step{0, Qt::ShiftModifier}}) {
        f.click(s.row, s.modifiers);
        EXPECT_EQ(f.list.currentRow(), s.row);
    }
    f.navigation.key(Qt::Key_End, Qt::ShiftModifier, 9);
    f.navigation.rightClick(1);
    EXPECT_EQ(f.list.currentRow(), 2);
    EXPECT_EQ(f.list.selectedCount(), 0);
}

TEST(ListNavigation, RightClickTogglesTheRowInAMultiSelectList)
{
    Fixture f(3);
    f.list.setCurrentRow(0);
    for (Rows expected : {Rows{1}, Rows{}}) {
        f.navigation.rightClick(1);
        EXPECT_EQ(f.list.selectedRows(), expected);
    }
    f.navigation.rightClick(-1);
    EXPECT_EQ(f.list.selectedCount(), 0);
    EXPECT_EQ(f.list.currentRow(), 0);
}

TEST(ListNavigation, KeysMoveTheCurrentRow)
{
    struct Step { int key; Qt::KeyboardModifiers modifiers; int current; Rows selected; };
    const Step steps[] = {
        {Qt::Key_Down, Qt::NoModifier, 0, {0}}, {Qt::Key_Down, Qt::NoModifier, 1, {1}},
        {Qt::Key_Down, Qt::ShiftModifier, 2, {1, 2}}, {Qt::Key_Down, Qt::ShiftModifier, 3, {1, 2, 3}},
        {Qt::Key_Up, Qt::ShiftModifier, 2, {1, 2}}, {Qt::Key_Down, Qt::ControlModifier, 3, {1, 2}},
        {Qt::Key_Home, Qt::NoModifier, 0, {0}}, {Qt::Key_Up, Qt::NoModifier, 0, {0}},
        {Qt::Key_PageDown, Qt::NoModifier, 8, {8}},  // nine rows in view: a page is eight
        {Qt::Key_End, Qt::ShiftModifier, 29, {}}, {Qt::Key_PageUp, Qt::NoModifier, 21, {21}},
        {Qt::Key_End, Qt::NoModifier, 29, {29}}, {Qt::Key_Down, Qt::NoModifier, 29, {29}},
    };
    Fixture f(30);
    for (const Step &s : steps) {
        EXPECT_TRUE(f.navigation.key(s.key, s.modifiers, 9)) << s.key;
        EXPECT_EQ(f.list.currentRow(), s.current) << s.key;
        if (s.key == Qt::Key_End && s.modifiers == Qt::ShiftModifier) {
            EXPECT_EQ(f.list.selectedCount(), 22);  // rows 8 to 29
        } else {
            EXPECT_EQ(f.list.selectedRows(), s.selected) << s.key;
        }
    }
    // A page is at least one row; from no current row PgUp and PgDn go to the first row.
    f.list.setCurrentRow(5);
    f.navigation.key(Qt::Key_PageDown, Qt::NoModifier, 1);
    EXPECT_EQ(f.list.currentRow(), 6);
    for (int key : {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Up}) {
        f.list.setCurrentRow(-1);
        f.navigation.key(key, Qt::NoModifier, 9);
        EXPECT_EQ(f.list.currentRow(), 0) << key;
    }
    EXPECT_FALSE(f.navigation.key(Qt::Key_Return, Qt::NoModifier, 9));
    Fixture empty(0);
    EXPECT_TRUE(empty.navigation.key(Qt::Key_End, Qt::NoModifier, 9));
    EXPECT_EQ(empty.list.currentRow(), -1);
}

TEST(ListNavigation, TypeAheadFindsTheNextRowByTheFirstLetterOfItsKeyColumn)
{
    Fixture f(0);
    for (const char *t : {"apple\tzeta", "Banana\tbeta", "cherry\tBig", "blue\t", "\u00e9t\u00e9"})
        f.list.append(t);
    f.list.setCurrentRow(0);
    struct Step { const char *typed; int column, current; };
    const Step steps[] = {
        {"b", 1, 1}, {"B", 1, 3}, {"b", 1, 1}, {"z", 1, 1},  // round the end, in any case
        {"\u00c9", 1, 4}, {"b", 2, 1}, {"b", 2, 2},           // the key column may be another
        {"z", 2, 0}, {"q", 3, 0},
    };
    for (const Step &s : steps) {
        f.navigation.typeAhead(QString::fromUtf8(s.typed), s.column);
        EXPECT_EQ(f.list.currentRow(), s.current) << s.typed << " in column " << s.column;
        EXPECT_EQ(f.list.selectedRows(), Rows{s.current}) << s.typed;
    }
}
