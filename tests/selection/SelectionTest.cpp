#include "selection/SelectionHelpers.h"

namespace {
struct Selections : SelectionFixture {
    int totals = 0;  // totalChanged signals seen
    QString lastTotal;
    bool lastRed = false;
    void SetUp() override
    {
        addTracks({"A", "x", "B", "y", "z", "C"});
        QObject::connect(&selection, &Selection::totalChanged, [this](const QString &text, bool red) {
            ++totals;
            lastTotal = text;
            lastRed = red;
        });
    }
};
} // namespace

TEST_F(Selections, DropFromCatalog)
{
    const SongList stranger(&TSong::CatalogRow, true);
    struct Case { QStringList before, picked; int row; QString after; QStringList duplicates; int current;
                  const SongList *source = nullptr; };  // null: the catalog list
    const Case cases[] = {
        // x, B, z picked with y skipped; B is listed already: one message, x and z land as a block.
        {{"A", "B", "C"}, {"x", "B", "z"}, 1, "A,x,z,B,C", {"B"}, 2},
        {{"A", "B", "C"}, {"x", "z"}, 3, "A,B,C,x,z", {}, 4},         // below the last row: appended
        {{"A", "B", "C"}, {"x", "z"}, 99, "A,B,C,x,z", {}, 4},
        {{"A", "B", "C"}, {"x", "z"}, -1, "x,z,A,B,C", {}, 1},        // outside the items: at the top
        {{"A", "B", "C"}, {"x", "z"}, 0, "x,z,A,B,C", {}, 1},
        {{}, {"z", "x"}, -1, "x,z", {}, 1},                           // catalog order, not picking order
        {{"A", "B", "C"}, {"A", "C"}, 2, "A,B,C", {"A", "C"}, 1},     // nothing inserted: row before the point
        {{"A", "B", "C"}, {"A"}, 0, "A,B,C", {"A"}, -1},
        // Nothing picked, or dragged from another list: only the total is shown again.
        {{"A", "B", "C"}, {}, 0, "A,B,C", {}, 2},
        {{"A", "B", "C"}, {"x"}, 0, "A,B,C", {}, 2, &stranger},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.after.toStdString());
        fillSelection(c.before);
        selectInAll(c.picked);
        totals = 0;
        selection.selDragDrop(c.source ? c.source : &all, c.row);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.after);
        EXPECT_EQ(sel.currentRow(), c.current);
        EXPECT_EQ(sel.selectedCount(), c.current >= 0 ? 1 : 0);
        QStringList messages;
        for (const QString &d : c.duplicates)
            messages << "Song Al" + d + " - " + d + " - T" + d + " already in list !";
        EXPECT_EQ(dialogs.textsAsked(), messages);
        for (const auto &a : dialogs.asked)
            EXPECT_EQ(a.type, MsgDlgType::Error);
        EXPECT_EQ(selection.SelModified(), !c.picked.isEmpty() && !c.source);
        EXPECT_EQ(totals, 1);
        // The catalog rows keep their selection.
        EXPECT_EQ(all.selectedCount(), c.picked.size());
    }
}

TEST_F(Selections, DragOverMarksTheInsertionRow)
{
    const SongList stranger(&TSong::CatalogRow, true);
    struct Case { QStringList rows; const SongList *source; int row, currentBefore; bool accepted; int current; };
    const Case cases[] = {
        {{"A", "B", "C"}, &all, 1, -1, true, 1},
        {{"A", "B", "C"}, &all, 3, 0, true, -1},  // below the last row: no marker
        {{"A", "B", "C"}, &all, -1, 2, true, 0},
        {{}, &all, -1, -1, true, -1},
        {{"A", "B", "C"}, &sel, 0, 2, true, 2},   // moving inside the list: no marker
        {{"A", "B", "C"}, &stranger, 0, 2, false, 2},
    };
    for (const auto &c : cases) {
        fillSelection(c.rows);
        sel.setCurrentRow(c.currentBefore);
        EXPECT_EQ(selection.selDragOver(c.source, c.row), c.accepted) << c.row;
        EXPECT_EQ(sel.currentRow(), c.current) << c.row;
        ASSERT_TRUE(invariant());
    }
}

TEST_F(Selections, MoveInsideTheList)
{
    struct Case { int from, row; QString after; };
    const Case cases[] = {
        {0, 2, "B,A,C"},   // onto C
        {2, 0, "C,A,B"},   // onto A
        {1, 2, "A,B,C"},   // onto the row below it: no change
        {1, 1, "B,A,C"},   // onto itself: one place up
        {0, 0, "A,B,C"},   // the first row stays first
        {0, 3, "B,C,A"},   // below the last row: to the end
        {2, -1, "C,A,B"},  // outside the items: to the top
        {-1, 0, "A,B,C"},  // without a current row nothing moves
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.after.toStdString() + " from " + std::to_string(c.from) + " to " + std::to_string(c.row));
        fillSelection({"A", "B", "C"});
        sel.setCurrentRow(c.from);
        const TSong *moved = c.from >= 0 ? sel.song(c.from) : nullptr;
        totals = 0;
        selection.selDragDrop(&sel, c.row);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.after);
        EXPECT_EQ(sel.currentRow(), moved ? sel.indexOf(moved) : -1);
        EXPECT_EQ(selection.SelModified(), moved != nullptr);
        EXPECT_EQ(totals, 1);
    }
}

TEST_F(Selections, DeleteKeyAsksThenRemovesTheCurrentRow)
{
    struct Case { QStringList rows; int current, key, answer; bool asked; QString after; int currentAfter; };
    const Case cases[] = {
        {{"A", "B", "C"}, 1, Qt::Key_Delete, mrYes, true, "A,C", 1},
        {{"A", "B", "C"}, 2, Qt::Key_Delete, mrYes, true, "A,B", 1},  // the new last row
        {{"A"}, 0, Qt::Key_Delete, mrYes, true, "", -1},
        {{"A", "B", "C"}, 1, Qt::Key_Delete, mrNo, true, "A,B,C", 1},
        {{"A", "B", "C"}, -1, Qt::Key_Delete, mrYes, false, "A,B,C", -1},
        {{"A", "B", "C"}, 1, Qt::Key_Backspace, mrYes, false, "A,B,C", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.after.toStdString());
        fillSelection(c.rows);
        sel.setCurrentRow(c.current);
        const TSong *removed = c.current >= 0 ? sel.song(c.current) : nullptr;
        dialogs.results = {c.answer};
        selection.selKeyDown(c.key);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.after);
        EXPECT_EQ(sel.currentRow(), c.currentAfter);
        EXPECT_EQ(dialogs.textsAsked(), c.asked ? QStringList{"Delete selected song from list ?"} : QStringList());
        for (const auto &a : dialogs.asked)
            EXPECT_EQ(a.buttons, ButtonSet({mbYes, mbNo}));
        const bool gone = c.asked && c.answer == mrYes;
        EXPECT_EQ(selection.SelModified(), gone);
        if (gone) {
            EXPECT_EQ(removed->SelNum, 0);
            EXPECT_EQ(lastTotal, QString("Total %1 files,   0.0MB, Play Time : 0%1:00").arg(sel.count()));
        }
    }
}

TEST_F(Selections, New1ClickAsksOnlyWhenUnsaved)
{
    struct Case { bool modified; int answer; bool cleared; };
    const Case cases[] = {{false, mrNo, true}, {true, mrNo, false}, {true, mrYes, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.modified) + " " + std::to_string(c.answer));
        fillSelection({"A", "B"});
        selection.setSelModified(c.modified);
        dialogs.results = {c.answer};
        selection.New1Click();
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.cleared ? "" : "A,B");
        EXPECT_EQ(dialogs.textsAsked(), c.modified ? QStringList{"List is not saved. clear list ?"} : QStringList());
        for (const auto &a : dialogs.asked)
            EXPECT_EQ(a.buttons, ButtonSet({mbYes, mbNo}));
        EXPECT_EQ(lastTotal, c.cleared ? "Total 0 files,   0.0MB, Play Time : 00:00"
                                       : "Total 2 files,   0.0MB, Play Time : 02:00");
        // Clearing leaves the flag: the next clear asks again.
        EXPECT_EQ(selection.SelModified(), c.modified);
    }
}

TEST_F(Selections, TotalText)
{
    struct Case { int files; int64_t size100, seconds; const char *text; };
    const Case cases[] = {
        {0, 0, 0, "Total 0 files,   0.0MB, Play Time : 00:00"},
        {3, 65536, 4440, "Total 3 files,   6.2MB, Play Time : 74:00"},    // 62.5 tenths: to even
        {3, 196608, 4441, "Total 3 files,  18.8MB, Play Time : 74:01"},   // 187.5 tenths: to even
        {1, 128975, 59, "Total 1 files,  12.3MB, Play Time : 00:59"},
        {1, 6819939, 7500, "Total 1 files, 650.4MB, Play Time : 125:00"},
        {1, 12944671, 60, "Total 1 files, 1234.5MB, Play Time : 01:00"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Selection::TotalText(c.files, c.size100, c.seconds), c.text);
}

TEST_F(Selections, TotalTurnsRedAboveSeventyFourMinutesAndSizesAreCutBeforeAdding)
{
    struct Case { QStringList playTimes; bool red; const char *time; };
    const Case cases[] = {
        {{"74:00"}, false, "74:00"},
        {{"74:01"}, true, "74:01"},
        {{"70:00", "04:00"}, false, "74:00"},
        {{"70:00", "04:01"}, true, "74:01"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.time);
        selection.ClearSelection();
        QStringList added;
        for (const QString &p : c.playTimes) {
            added << "t" + QString::number(all.count());
            addTrack(added.last(), p, 199);
        }
        selectInAll(added);
        selection.selDragDrop(&all, 0);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(selection.totalRed(), c.red);
        EXPECT_EQ(lastRed, c.red);
        EXPECT_TRUE(selection.total().endsWith(QString("Play Time : ") + c.time)) << selection.total().toStdString();
        // Each size of 199 counts 1: two give 2, not 398 div 100.
        EXPECT_EQ(selection.SelSize100, c.playTimes.size());
    }
}
