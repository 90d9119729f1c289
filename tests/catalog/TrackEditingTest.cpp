#include "catalog/TrackEditing.h"
#include "selection/SelectionHelpers.h"

namespace {
struct Editing : SelectionFixture {
    TrackEditing editing{catalog, selection};
    int allRepaints = 0, selRepaints = 0;
    void SetUp() override
    {
        addTracks({"A", "B", "C", "D", "E", "F"});
        QObject::connect(&all, &SongList::rowsChanged, [this] { ++allRepaints; });
        QObject::connect(&sel, &SongList::rowsChanged, [this] { ++selRepaints; });
    }
    // Scripts the next Edit Track answer: Ok with these texts.
    void answerOk(const QString &artist, const QString &album, const QString &track)
    {
        dialogs.editedTracks.push_back({QString(), artist, album, track});
    }
    QStringList edited() const
    {
        QStringList files;
        for (const auto &a : dialogs.asked)
            if (a.kind == "EditTrack")
                files << a.text;
        return files;
    }
};
} // namespace

TEST_F(Editing, OkRewritesTheRecordAndBothListsShowIt)
{
    fillSelection({"C", "B"});
    all.setCurrentRow(allRow("B"));
    allRepaints = selRepaints = 0;
    answerOk("B", "New", "TB");
    editing.allDblClick(all);
    ASSERT_TRUE(invariant());
    EXPECT_EQ(edited(), QStringList{"B.mp3"});
    EXPECT_TRUE(catalog.DBModified);
    EXPECT_EQ(all.rowText(1).toQString(), "B\tNew - TB\t01:00\tCD1");
    // The same track in the selection list shows the new texts too, and both lists repaint.
    EXPECT_EQ(sel.rowText(1).toQString(), "002\tNew - B - TB\t01:00\tCD1");
    EXPECT_GT(allRepaints, 0);
    EXPECT_GT(selRepaints, 0);
    EXPECT_TRUE(all.isSelected(1));
    EXPECT_EQ(all.currentRow(), 1);

    // From the selection list: the catalog row follows as well.
    sel.setCurrentRow(0);
    answerOk("Cee", "AlC", "TC");
    editing.allDblClick(sel);
    EXPECT_EQ(all.rowText(2).toQString(), "Cee\tAlC - TC\t01:00\tCD1");
    EXPECT_EQ(sel.rowText(0).toQString(), "001\tAlC - Cee - TC\t01:00\tCD1");
    EXPECT_EQ(sel.currentRow(), 0);
    ASSERT_TRUE(invariant());
}

TEST_F(Editing, CancelChangesNothingAndOkWithoutChangeStillModifies)
{
    all.setCurrentRow(0);
    allRepaints = 0;
    editing.allDblClick(all);  // no scripted answer: Cancel
    EXPECT_EQ(edited().size(), 1);
    EXPECT_FALSE(catalog.DBModified);
    EXPECT_EQ(all.rowText(0).toQString(), "A\tAlA - TA\t01:00\tCD1");
    EXPECT_EQ(allRepaints, 0);
    EXPECT_FALSE(all.isSelected(0));

    answerOk("A", "AlA", "TA");
    editing.allDblClick(all);
    EXPECT_TRUE(catalog.DBModified);
    ASSERT_TRUE(invariant());
}

TEST_F(Editing, WaysToStartAnEdit)
{
    fillSelection({"E"});
    struct Case {
        const char *how;
        int allCurrent, selCurrent;
        QStringList edited;
    };
    const Case cases[] = {
        {"double click all", 2, 0, {"C.mp3"}},
        {"double click all without current row", -1, 0, {}},
        {"space", 3, 0, {"D.mp3"}},
        {"other character", 3, 0, {}},
        {"button, focus on sel", 2, 0, {"E.mp3"}},
        {"button, focus on sel without current row", 2, -1, {}},
        {"button, focus on all", 2, 0, {"C.mp3"}},
        {"button, focus on all without current row", -1, 0, {}},
        {"button, focus elsewhere", 2, 0, {}},
    };
    for (const auto &c : cases) {
        const std::string how = c.how;
        dialogs.asked.clear();
        all.setCurrentRow(c.allCurrent);
        sel.setCurrentRow(c.selCurrent);
        if (how.rfind("double click", 0) == 0)
            editing.allDblClick(all);
        else if (how == "space")
            EXPECT_TRUE(editing.allKeyPress(' '));
        else if (how == "other character")
            EXPECT_FALSE(editing.allKeyPress('a'));
        else if (how.find("focus on sel") != std::string::npos)
            editing.EditTrackBtnClick(&sel);
        else if (how.find("focus on all") != std::string::npos)
            editing.EditTrackBtnClick(&all);
        else
            editing.EditTrackBtnClick(nullptr);
        EXPECT_EQ(edited(), c.edited) << c.how;
        ASSERT_TRUE(invariant());
    }
}

TEST_F(Editing, DeleteSelectedTracks)
{
    struct Case {
        const char *what;
        QStringList inSel, picked;
        int current, key, answer;
        bool consumed;
        QString question, allAfter, selAfter;
        int currentAfter;
    };
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
        catalog.DBModified = false;
        dialogs.results = {c.answer};
        EXPECT_EQ(editing.allKeyDown(c.key), c.consumed);
        ASSERT_TRUE(invariant());
        EXPECT_EQ(names(all), c.allAfter);
        EXPECT_EQ(names(sel), c.selAfter);
        EXPECT_EQ(all.currentRow(), c.currentAfter);
        EXPECT_EQ(dialogs.textsAsked(), c.question.isEmpty() ? QStringList() : QStringList{c.question});
        const bool deleted = !c.question.isEmpty() && c.answer == mrYes;
        EXPECT_EQ(catalog.DBModified, deleted);
        if (deleted) {
            EXPECT_EQ(all.selectedCount(), 0);
            for (const QString &p : c.picked)
                EXPECT_EQ(catalog.songIndex.find(ShortStr::fromQString("CD1\t" + p + ".mp3")), nullptr) << p.toStdString();
            EXPECT_EQ(catalog.songIndex.count(), all.count());
            EXPECT_TRUE(selection.total().startsWith(QString("Total %1 files").arg(sel.count())));
        }
    }
}

TEST_F(Editing, DeletingLeavesTheIndexEntryOfAnotherTrackWithTheSameKey)
{
    // Two records with one CD key: the index refers to the one added last.
    TSong *first = addTrack("G");
    TSong *second = addTrack("G");
    ASSERT_EQ(catalog.songIndex.find("CD1\tG.mp3"), second);
    all.clearSelection();
    all.setSelected(all.indexOf(first), true);
    all.setCurrentRow(0);
    dialogs.results = {mrYes};
    editing.allKeyDown(Qt::Key_Delete);
    ASSERT_TRUE(invariant());
    EXPECT_EQ(catalog.songIndex.find("CD1\tG.mp3"), second);

    all.setSelected(all.indexOf(second), true);
    dialogs.results = {mrYes};
    editing.allKeyDown(Qt::Key_Delete);
    EXPECT_EQ(catalog.songIndex.find("CD1\tG.mp3"), nullptr);
    ASSERT_TRUE(invariant());
}
