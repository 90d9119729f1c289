#include "list/TextRowList.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

namespace {
using Rows = std::vector<int>;

// Every signal of a list, in order: "rows", "current N", "selection", "top N".
struct Recorder {
    explicit Recorder(ListState &list)
    {
        QObject::connect(&list, &ListState::rowsChanged, [this] { log << "rows"; });
        QObject::connect(&list, &ListState::currentRowChanged, [this](int row) { log << QString("current %1").arg(row); });
        QObject::connect(&list, &ListState::selectionChanged, [this] { log << "selection"; });
        QObject::connect(&list, &ListState::topRowChanged, [this](int row) { log << QString("top %1").arg(row); });
    }
    QStringList take() { return std::exchange(log, {}); }
    QStringList log;
};

// A multi-select list of rows "0" to "n-1" with the given current, selected and top rows.
void Fill(TextRowList &list, int n, int current, const Rows &selected, int top)
{
    for (int i = 0; i < n; ++i)
        list.append(QString::number(i).toUtf8().constData());
    list.setCurrentRow(current);
    for (int row : selected)
        list.setSelected(row, true);
    list.setTopRow(top);
}

QStringList Texts(const TextRowList &list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.rowText(i).toQString();
    return out;
}
} // namespace

TEST(ListState, RowChangesMoveTheStateAndAnnounceEachChange)
{
    // Ten rows, current 4, rows 2 and 6 selected, top row 3.
    struct Case { const char *name; std::function<void(TextRowList &)> change;
                  int current; Rows selected; int top; QStringList announced; };
    const Case cases[] = {
        {"append after everything", [](TextRowList &l) { l.append("new"); }, 4, {2, 6}, 3, {"rows"}},
        {"remove a row after the current and selected rows", [](TextRowList &l) { l.removeAt(8); }, 4, {2, 6}, 3,
         {"rows"}},
        {"remove a row between the selected rows", [](TextRowList &l) { l.removeAt(3); }, 3, {2, 5}, 3,
         {"rows", "current 3", "selection"}},
        {"remove a selected row", [](TextRowList &l) { l.removeAt(6); }, 4, {2}, 3, {"rows", "selection"}},
        {"remove the current row: the next one takes its place", [](TextRowList &l) { l.removeAt(4); }, 4, {2, 5},
         3, {"rows", "current 4", "selection"}},
        {"clear", [](TextRowList &l) { l.clear(); }, -1, {}, 0, {"rows", "current -1", "selection", "top 0"}},
        {"reorder", [](TextRowList &l) { l.reorder({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}); }, -1, {}, 0,
         {"rows", "current -1", "selection", "top 0"}},
        {"edit a text", [](TextRowList &l) { l.setRowText(4, "four"); }, 4, {2, 6}, 3, {"rows"}},
    };
    for (const Case &c : cases) {
        TextRowList list(true);
        Fill(list, 10, 4, {2, 6}, 3);
        Recorder recorder(list);
        c.change(list);
        EXPECT_EQ(list.currentRow(), c.current) << c.name;
        EXPECT_EQ(list.selectedRows(), c.selected) << c.name;
        EXPECT_EQ(list.selectedCount(), static_cast<int>(c.selected.size())) << c.name;
        EXPECT_EQ(list.topRow(), c.top) << c.name;
        EXPECT_EQ(recorder.log, c.announced) << c.name;
    }
}

TEST(ListState, RemovingTheLastRowsMovesTheStateUp)
{
    TextRowList list(true);
    Fill(list, 4, 3, {3}, 3);
    Recorder recorder(list);
    // Removing the last row, current, selected and at the top, leaves the row above in each.
    list.removeAt(3);
    EXPECT_EQ(list.currentRow(), 2);
    EXPECT_EQ(list.topRow(), 2);
    EXPECT_EQ(list.selectedCount(), 0);
    EXPECT_EQ(recorder.take(), (QStringList{"rows", "current 2", "selection", "top 2"}));
    for (int i = 0; i < 3; ++i)
        list.removeAt(0);
    EXPECT_EQ(recorder.take(), (QStringList{"rows", "current 1", "top 1", "rows", "current 0", "top 0", "rows",
                                            "current -1"}));
    // Clearing an empty list changes nothing but the rows.
    list.clear();
    EXPECT_EQ(recorder.take(), QStringList{"rows"});
}

TEST(ListState, SettersAnnounceOnlyRealChanges)
{
    struct Case { const char *name; bool multi; std::function<void(TextRowList &)> change;
                  int current; Rows selected; int top; QStringList announced; };
    // Five rows, current 1, row 1 selected, top 0.
    const Case cases[] = {
        {"the same current row", true, [](TextRowList &l) { l.setCurrentRow(1); }, 1, {1}, 0, {}},
        {"a row outside the list is no row", true, [](TextRowList &l) { l.setCurrentRow(5); }, -1, {1}, 0,
         {"current -1"}},
        {"selecting a selected row", true, [](TextRowList &l) { l.setSelected(1, true); }, 1, {1}, 0, {}},
        {"selecting outside the list", true, [](TextRowList &l) { l.setSelected(7, true); }, 1, {1}, 0, {}},
        {"multi-select adds", true, [](TextRowList &l) { l.setSelected(3, true); }, 1, {1, 3}, 0, {"selection"}},
        {"single-select moves", false, [](TextRowList &l) { l.setSelected(3, true); }, 1, {3}, 0, {"selection"}},
        {"a range, either order, clipped", true, [](TextRowList &l) { l.selectRange(9, 2); }, 1, {1, 2, 3, 4}, 0,
         {"selection"}},
        {"a range of selected rows", true, [](TextRowList &l) { l.selectRange(1, 1); }, 1, {1}, 0, {}},
        {"a range in a single-select list: its last row", false, [](TextRowList &l) { l.selectRange(4, 2); }, 1,
         {2}, 0, {"selection"}},
        {"clearing", true, [](TextRowList &l) { l.clearSelection(); l.clearSelection(); }, 1, {}, 0, {"selection"}},
        {"top row clipped to the last row", true, [](TextRowList &l) { l.setTopRow(9); }, 1, {1}, 4, {"top 4"}},
        {"top row clipped to 0", true, [](TextRowList &l) { l.setTopRow(-3); }, 1, {1}, 0, {}},
    };
    for (const Case &c : cases) {
        TextRowList list(c.multi);
        Fill(list, 5, 1, {1}, 0);
        Recorder recorder(list);
        c.change(list);
        EXPECT_EQ(list.currentRow(), c.current) << c.name;
        EXPECT_EQ(list.selectedRows(), c.selected) << c.name;
        EXPECT_EQ(list.topRow(), c.top) << c.name;
        EXPECT_EQ(recorder.log, c.announced) << c.name;
    }
}

TEST(ListState, AnchorFollowsTheProgramsCurrentRowAndTheRows)
{
    TextRowList list(true);
    Fill(list, 6, 2, {}, 0);
    EXPECT_EQ(list.anchorRow(), 2);
    list.setCurrentRow(4, 1);
    EXPECT_EQ(list.anchorRow(), 1);
    // Setting the row that is already current keeps the anchor.
    list.setCurrentRow(4);
    EXPECT_EQ(list.anchorRow(), 1);
    list.removeAt(0);
    EXPECT_EQ(list.anchorRow(), 0);
    list.removeAt(0);
    EXPECT_EQ(list.anchorRow(), 0);
    list.reorder({0, 1, 2, 3});
    EXPECT_EQ(list.anchorRow(), -1);
}

TEST(TextRowList, RowsArePlainTexts)
{
    TextRowList list(false);
    for (const char *text : {"a.mp3\t Blue\t Night\t Rain", "b.mp3", "c.mp3"})
        list.append(text);
    list.setRowText(1, "b.mp3\t x");
    list.reorder({2, 0, 1});  // row i takes the text of row order[i]
    list.removeAt(0);
    EXPECT_EQ(Texts(list), (QStringList{"a.mp3\t Blue\t Night\t Rain", "b.mp3\t x"}));
    EXPECT_EQ(list.song(0), nullptr);
}
