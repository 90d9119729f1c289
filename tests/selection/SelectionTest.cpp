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
    struct Case {
        QStringList before, picked;
        int row;
        QString after;
        QStringList duplicates;
        int current;
    };
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
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.after.toStdString());
        fillSelection(c.before);
        selectInAll(c.picked);
        totals = 0;
        selection.selDragDrop(&all, c.row);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.after);
        EXPECT_EQ(sel.currentRow(), c.current);
        EXPECT_EQ(sel.selectedCount(), c.current >= 0 ? 1 : 0);
        QStringList messages;
        for (const auto &a : dialogs.asked) {
            EXPECT_EQ(a.type, MsgDlgType::Error);
            EXPECT_EQ(a.buttons, ButtonSet({mbOK}));
            messages << a.text;
        }
        QStringList expected;
        for (const QString &d : c.duplicates)
            expected << "Song Al" + d + " - " + d + " - T" + d + " already in list !";
        EXPECT_EQ(messages, expected);
        EXPECT_TRUE(selection.SelModified);
        EXPECT_EQ(totals, 1);
        // The catalog rows keep their selection.
        EXPECT_EQ(all.selectedCount(), c.picked.size());
    }
}

TEST_F(Selections, DropWithoutPickedRowsOrFromElsewhereOnlyRefreshesTheTotal)
{
    fillSelection({"A", "B"});
    sel.setCurrentRow(1);
    const SongList stranger(&TSong::CatalogRow, true);
    totals = 0;
    all.clearSelection();
    selection.selDragDrop(&all, 0);
    selection.selDragDrop(&stranger, 0);
    ASSERT_TRUE(invariant());
    EXPECT_EQ(names(sel), "A,B");
    EXPECT_EQ(sel.currentRow(), 1);
    EXPECT_FALSE(selection.SelModified);
    EXPECT_EQ(totals, 2);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Selections, DragOverMarksTheInsertionRow)
{
    const SongList stranger(&TSong::CatalogRow, true);
    struct Case {
        QStringList rows;
        const SongList *source;
        int row, currentBefore;
        bool accepted;
        int current;
    };
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
    struct Case {
        int from, row;
        QString after;
    };
    const Case cases[] = {
        {0, 2, "B,A,C"},   // onto C
        {2, 0, "C,A,B"},   // onto A
        {1, 2, "A,B,C"},   // onto the row below it: no change
        {1, 1, "B,A,C"},   // onto itself: one place up
        {0, 0, "A,B,C"},   // the first row stays first
        {0, 3, "B,C,A"},   // below the last row: to the end
        {2, -1, "C,A,B"},  // outside the items: to the top
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.after.toStdString() + " from " + std::to_string(c.from) + " to " + std::to_string(c.row));
        fillSelection({"A", "B", "C"});
        sel.setCurrentRow(c.from);
        const TSong *moved = sel.song(c.from);
        selection.selDragDrop(&sel, c.row);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(sel), c.after);
        EXPECT_EQ(sel.currentRow(), sel.indexOf(moved));
        EXPECT_TRUE(selection.SelModified);
    }

    // Without a current row nothing moves.
    fillSelection({"A", "B", "C"});
    sel.setCurrentRow(-1);
    totals = 0;
    selection.selDragDrop(&sel, 0);
    ASSERT_TRUE(invariant());
    EXPECT_EQ(names(sel), "A,B,C");
    EXPECT_EQ(totals, 1);
}

TEST_F(Selections, DeleteKeyAsksThenRemovesTheCurrentRow)
{
    struct Case {
        QStringList rows;
        int current, key, answer;
        bool asked;
        QString after;
        int currentAfter;
    };
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
        ASSERT_EQ(dialogs.asked.size(), c.asked ? 1u : 0u);
        if (c.asked) {
            EXPECT_EQ(dialogs.asked[0].text, "Delete selected song from list ?");
            EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Confirmation);
            EXPECT_EQ(dialogs.asked[0].buttons, ButtonSet({mbYes, mbNo}));
        }
        const bool gone = c.asked && c.answer == mrYes;
        EXPECT_EQ(selection.SelModified, gone);
        if (gone) {
            EXPECT_EQ(removed->SelNum, 0);
            EXPECT_EQ(lastTotal, QString("Total %1 files,   0.0MB, Play Time : 0%1:00").arg(sel.count()));
        }
    }

    // A removed track can be dropped again without a message.
    fillSelection({"A", "B"});
    sel.setCurrentRow(0);
    dialogs.results = {mrYes};
    selection.selKeyDown(Qt::Key_Delete);
    selectInAll({"A"});
    dialogs.asked.clear();
    selection.selDragDrop(&all, 1);
    ASSERT_TRUE(invariant());
    EXPECT_EQ(names(sel), "B,A");
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Selections, New1ClickAsksOnlyWhenUnsaved)
{
    fillSelection({"A", "B"});
    selection.New1Click();
    ASSERT_TRUE(invariant());
    EXPECT_EQ(sel.count(), 0);
    EXPECT_TRUE(dialogs.asked.empty());
    EXPECT_EQ(lastTotal, "Total 0 files,   0.0MB, Play Time : 00:00");

    fillSelection({"A", "B"});
    selection.SelModified = true;
    dialogs.results = {mrNo};
    selection.New1Click();
    ASSERT_TRUE(invariant());
    EXPECT_EQ(names(sel), "A,B");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "List is not saved. clear list ?");
    EXPECT_EQ(dialogs.asked[0].buttons, ButtonSet({mbYes, mbNo}));

    dialogs.results = {mrYes};
    selection.New1Click();
    ASSERT_TRUE(invariant());
    EXPECT_EQ(sel.count(), 0);
    // Clearing leaves the flag: the next clear asks again.
    EXPECT_TRUE(selection.SelModified);
    dialogs.asked.clear();
    selection.New1Click();
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

TEST_F(Selections, RenumberingRewritesRowsFromTheFirstGiven)
{
    fillSelection({"A", "B", "C"});
    sel.song(1)->SelNum = 7;
    sel.song(2)->SelNum = 9;
    selection.RenumberSelection(2);
    EXPECT_EQ(sel.song(1)->SelNum, 7);  // before the first row given: untouched
    EXPECT_EQ(sel.song(2)->SelNum, 3);
    selection.RenumberSelection(0);
    ASSERT_TRUE(invariant());
    EXPECT_TRUE(sel.rowText(1).toQString().startsWith("002\tAlB - B - TB\t01:00\tCD1"));

    selection.SelModified = false;
    selection.RenumberSelection(sel.count());
    EXPECT_TRUE(selection.SelModified);
}

TEST_F(Selections, TotalText)
{
    struct Case {
        int files;
        int64_t size100, seconds;
        const char *text;
    };
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

TEST_F(Selections, TotalTurnsRedAboveSeventyFourMinutes)
{
    struct Case {
        QStringList playTimes;
        bool red;
        const char *time;
    };
    const Case cases[] = {
        {{"74:00"}, false, "74:00"},
        {{"74:01"}, true, "74:01"},
        {{"70:00", "04:00"}, false, "74:00"},
        {{"70:00", "04:01"}, true, "74:01"},
    };
    for (const auto &c : cases) {
        selection.ClearSelection();
        QStringList added;
        for (const QString &p : c.playTimes) {
            added << "t" + QString::number(all.count());
            addTrack(added.last(), p);
        }
        selectInAll(added);
        selection.selDragDrop(&all, 0);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(selection.totalRed(), c.red) << c.time;
        EXPECT_EQ(lastRed, c.red) << c.time;
        EXPECT_TRUE(selection.total().endsWith(QString("Play Time : ") + c.time)) << selection.total().toStdString();
    }
}

TEST_F(Selections, SizesAreCutBeforeTheyAreAdded)
{
    selectInAll({});
    QStringList added;
    for (int i = 0; i < 2; ++i) {
        added << "s" + QString::number(i);
        addTrack(added.last(), "00:01", 199);
    }
    selectInAll(added);
    selection.selDragDrop(&all, 0);
    EXPECT_EQ(selection.SelSize100, 2);
}
