#include "catalog/TrackEditing.h"
#include "selection/SelectionHelpers.h"

#include <functional>

namespace {
struct Editing : SelectionFixture {
    TrackEditing editing{catalog, selection};
    int allRepaints = 0, selRepaints = 0;
    // Ends the counting connections with this fixture: the lists outlive it and still signal
    // while the base fixture is destroyed.
    QObject counters;
    void SetUp() override
    {
        addTracks({"A", "B", "C", "D", "E", "F"});
        QObject::connect(&all, &SongList::rowsChanged, &counters, [this] { ++allRepaints; });
        QObject::connect(&sel, &SongList::rowsChanged, &counters, [this] { ++selRepaints; });
    }
};
} // namespace

TEST_F(Editing, OkRewritesTheRecordAndBothListsShowIt)
{
    fillSelection({"C", "B"});
    // answer: the texts given with Ok, none for Cancel. selText: the track's row in the selection.
    struct Step { const char *what; SongList *sender; int row; QStringList answer; int allRow; QString allText, selText; };
    const Step steps[] = {
        {"cancel", &all, 0, {}, 0, "A\tAlA - TA\t01:00\tCD1", ""},
        {"ok without a change", &all, 0, {"A", "AlA", "TA"}, 0, "A\tAlA - TA\t01:00\tCD1", ""},
        {"ok in the catalog list", &all, 1, {"B", "New", "TB"}, 1, "B\tNew - TB\t01:00\tCD1", "002\tNew - B - TB\t01:00\tCD1"},
        {"ok in the selection list", &sel, 0, {"Cee", "AlC", "TC"}, 2, "Cee\tAlC - TC\t01:00\tCD1",
         "001\tAlC - Cee - TC\t01:00\tCD1"},
    };
    for (const auto &s : steps) {
        SCOPED_TRACE(s.what);
        const bool ok = !s.answer.isEmpty();
        dialogs.answerEditTrack(ok ? TrackTexts{QString(), s.answer[0], s.answer[1], s.answer[2]} : TrackTexts{});
        dialogs.asked.clear();
        all.clearSelection();
        catalog.setDBModified(false);
        allRepaints = selRepaints = 0;
        s.sender->setCurrentRow(s.row);
        editing.allDblClick(*s.sender);
        ASSERT_TRUE(invariant());
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].kind, "EditTrack");
        EXPECT_EQ(dialogs.asked[0].text, all.song(s.allRow)->FileName().toQString());
        EXPECT_EQ(catalog.DBModified(), ok);
        EXPECT_EQ(all.rowText(s.allRow).toQString(), s.allText);
        EXPECT_EQ(s.selText.isEmpty() ? QString() : sel.rowText(sel.indexOf(all.song(s.allRow))).toQString(), s.selText);
        // Both lists repaint after Ok; the catalog row is selected when the edit started there.
        EXPECT_EQ(allRepaints > 0, ok);
        EXPECT_EQ(selRepaints > 0, ok && !s.selText.isEmpty());
        EXPECT_EQ(all.isSelected(s.allRow), ok && s.sender == &all);
        EXPECT_EQ(s.sender->currentRow(), s.row);
    }
}

TEST_F(Editing, WaysToStartAnEdit)
{
    fillSelection({"E"});
    struct Case { const char *how; std::function<void()> start; int allCurrent, selCurrent; QStringList edited; };
    const Case cases[] = {
        {"double click all", [&] { editing.allDblClick(all); }, 2, 0, {"C.mp3"}},
        {"double click all without current row", [&] { editing.allDblClick(all); }, -1, 0, {}},
        {"space", [&] { EXPECT_TRUE(editing.allKeyPress(' ')); }, 3, 0, {"D.mp3"}},
        {"other character", [&] { EXPECT_FALSE(editing.allKeyPress('a')); }, 3, 0, {}},
        {"button, focus on sel", [&] { editing.EditTrackBtnClick(&sel); }, 2, 0, {"E.mp3"}},
        {"button, focus on sel without current row", [&] { editing.EditTrackBtnClick(&sel); }, 2, -1, {}},
        {"button, focus on all", [&] { editing.EditTrackBtnClick(&all); }, 2, 0, {"C.mp3"}},
        {"button, focus on all without current row", [&] { editing.EditTrackBtnClick(&all); }, -1, 0, {}},
        {"button, focus elsewhere", [&] { editing.EditTrackBtnClick(nullptr); }, 2, 0, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        dialogs.asked.clear();
        all.setCurrentRow(c.allCurrent);
        sel.setCurrentRow(c.selCurrent);
        for (int k = 0; k < c.edited.size(); ++k)
            dialogs.answerEditTrack({});  // each edit is cancelled
        c.start();
        EXPECT_EQ(dialogs.textsAsked(), c.edited);  // the files of the tracks edited
        ASSERT_TRUE(invariant());
    }
}

TEST_F(Editing, DeleteSelectedTracks)
{
    struct Case { const char *what; QStringList inSel, picked; int current, key, answer; bool consumed;
                  QString question, allAfter, selAfter; int currentAfter; };
    const QString three = "Delete all 3 Selected songs from the Database ?";
    const QString one = "Delete the selected Song from the Database ?";
    const Case cases[] = {
        {"three, two of them listed", {"D", "A", "E", "C"}, {"B", "D", "E"}, 1, Qt::Key_Delete, mrYes, true, three,
         "A,C,F", "A,C", 1},
        {"answer No", {"D", "A"}, {"B", "D", "E"}, 1, Qt::Key_Delete, mrNo, true, three, "A,B,C,D,E,F", "D,A", 1},
        {"the last row", {}, {"F"}, 5, Qt::Key_Delete, mrYes, true, one, "A,B,C,D,E", "", 4},
        {"every row", {"B", "F"}, {"A", "B", "C", "D", "E", "F"}, 0, Qt::Key_Delete, mrYes, true,
         "Delete all 6 Selected songs from the Database ?", "", "", -1},
        {"current row not selected", {}, {"C"}, 0, Qt::Key_Delete, mrYes, true, one, "A,B,D,E,F", "", 0},
        {"nothing selected", {"A"}, {}, 2, Qt::Key_Delete, mrYes, true, "", "A,B,C,D,E,F", "A", 2},
        {"no current row", {"A"}, {"B"}, -1, Qt::Key_Delete, mrYes, false, "", "A,B,C,D,E,F", "A", -1},
        {"another key", {"A"}, {"B"}, 1, Qt::Key_Backspace, mrYes, false, "", "A,B,C,D,E,F", "A", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        catalog.ClearCatalog();
        addTracks({"A", "B", "C", "D", "E", "F"});
        fillSelection(c.inSel);
        selectInAll(c.picked);
        all.setCurrentRow(c.current);
        catalog.setDBModified(false);
        dialogs.results = {c.answer};
        EXPECT_EQ(editing.allKeyDown(c.key), c.consumed);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(all), c.allAfter);
        EXPECT_EQ(names(sel), c.selAfter);
        EXPECT_EQ(all.currentRow(), c.currentAfter);
        EXPECT_EQ(dialogs.textsAsked(), c.question.isEmpty() ? QStringList() : QStringList{c.question});
        const bool deleted = !c.question.isEmpty() && c.answer == mrYes;
        EXPECT_EQ(catalog.DBModified(), deleted);
        if (deleted) {
            EXPECT_EQ(all.selectedCount(), 0);
            for (const QString &p : c.picked)
                EXPECT_EQ(catalog.songIndex().find(("CD1\t" + p + ".mp3").toStdString()), nullptr) << p.toStdString();
            EXPECT_EQ(catalog.songIndex().count(), all.count());
            EXPECT_TRUE(selection.total().startsWith(QString("Total %1 files").arg(sel.count())));
        }
    }
}

TEST_F(Editing, DeletingLeavesTheIndexEntryOfAnotherTrackWithTheSameKey)
{
    // Two records with one CD key: the index refers to the one added last.
    TSong *first = addTrack("G");
    TSong *second = addTrack("G");
    ASSERT_EQ(catalog.songIndex().find("CD1\tG.mp3"), second);
    all.clearSelection();
    all.setSelected(all.indexOf(first), true);
    all.setCurrentRow(0);
    dialogs.results = {mrYes};
    editing.allKeyDown(Qt::Key_Delete);
    ASSERT_TRUE(invariant());
    EXPECT_EQ(catalog.songIndex().find("CD1\tG.mp3"), second);

    all.setSelected(all.indexOf(second), true);
    dialogs.results = {mrYes};
    editing.allKeyDown(Qt::Key_Delete);
    EXPECT_EQ(catalog.songIndex().find("CD1\tG.mp3"), nullptr);
    ASSERT_TRUE(invariant());
}
