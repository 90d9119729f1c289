// The catalog run of Set Tracks Sizes & Play Time over tracks whose files are generated here.

#include "import/CatalogMeasurement.h"
#include "import/MeasurementFixture.h"
#include "selection/Selection.h"
#include "support/TempDir.h"

#include <QDir>

namespace {
const QString SortError = "You must sort the tracks by CD first (Database->Sort)";
const QString Question = "This will set Tracks sizes and play times from the mp3 files(If added manualy to the DB). "
                         "It will start from the selected Track. Continue ?";

struct CatalogRun : MeasurementFixture {
    Selection selection{catalog, dialogs};
    CatalogMeasurement run{catalog, selection, measurement, player, dialogs};
    SongList &all = catalog.all();

    // One track per letter, stored as "1.mp3", "2.mp3" ... and sorted by `sort` in that order.
    // Its file: g a 60 s MP3, x no MPEG audio, 0 empty, - none.
    void makeCatalog(const QString &files, SortKind sort = SortKind::CD)
    {
        catalog.ClearCatalog();
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        for (int i = 0; i < files.size(); ++i) {
            const QString name = QString("%1.mp3").arg(i + 1);
            addTrack(name);
            if (files[i] == 'g')
                put(name, Mp3OfLength(60, false));
            else if (files[i] != '-')
                WriteFileBytes(path(name), files[i] == 'x' ? QByteArray(5000, 'x') : QByteArray());
        }
        if (sort != SortKind::None)
            catalog.sorter().Sort(sort, true);
        catalog.setDBModified(false);
    }
    // Per row: m measured, s only the size set, . untouched.
    QString state() const
    {
        QString out;
        for (const TSong *t : all.songs()) {
            const bool sized = t->Size != OldSize;
            out += t->PlayTime().toQString() == "01:00" && sized ? 'm' : sized ? 's' : '.';
        }
        return out;
    }
};
} // namespace

TEST_F(CatalogRun, OnlyOverACatalogSortedByCDAndWhenConfirmed)
{
    struct Case {
        const char *what;
        SortKind sort;
        std::deque<int> answers;
        QStringList asked;
    };
    const Case cases[] = {
        {"never sorted (first: the new catalog has no key in force)", SortKind::None, {}, {SortError}},
        {"sorted by Artist", SortKind::Artist, {}, {SortError}},
        {"answered No", SortKind::CD, {mrNo}, {Question}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        makeCatalog("gg", c.sort);
        ASSERT_EQ(catalog.sorter().isChecked(SortKind::CD), c.sort == SortKind::CD);
        dialogs.asked.clear();
        dialogs.progress.clear();
        dialogs.results = c.answers;
        run.SetSize1Click();
        EXPECT_EQ(dialogs.textsAsked(), c.asked);
        const AskedDialog &shown = dialogs.asked.back();
        EXPECT_EQ(shown.type, c.answers.empty() ? MsgDlgType::Error : MsgDlgType::Confirmation);
        EXPECT_EQ(shown.buttons, c.answers.empty() ? ButtonSet({mbOK}) : ButtonSet({mbYes, mbNo}));
        EXPECT_EQ(state(), "..");
        EXPECT_TRUE(dialogs.progress.isEmpty());
        EXPECT_FALSE(catalog.DBModified());
    }
}

TEST_F(CatalogRun, MeasuresFromTheCurrentRowUntilATrackFails)
{
    struct Case {
        const char *what;
        QString files;          // as makeCatalog
        int current;            // at the start, -1 none
        std::deque<int> located;  // answers to the questions for missing files
        int cancelAfter;        // rows started before Cancel in the progress view, -1 never
        QString measured;       // as state()
        int started;            // rows shown in the progress view
        int currentAfter;
        bool fileOpen;          // the last opened file is still open: the run did not finish
    };
    const Case cases[] = {
        {"no current row: from the first", "ggggg", -1, {}, -1, "mmmmm", 5, -1, false},
        {"from the current row", "ggggg", 2, {}, -1, "..mmm", 3, 2, false},
        {"no MPEG audio", "ggxgg", -1, {}, -1, "mms..", 3, 2, false},
        {"an empty file", "g0ggg", -1, {}, -1, "m....", 2, 1, true},
        {"a file not found, cancelled", "gg-gg", 1, {mrRetry, mrCancel}, -1, ".m...", 2, 2, true},
        {"cancelled in the progress view", "ggggg", -1, {}, 2, "mm...", 2, 2, true},
        {"cancelled at the last row", "ggggg", 3, {}, 2, "...mm", 2, 3, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        makeCatalog(c.files);
        all.setCurrentRow(c.current);
        // The first track is listed in the selection: its total follows the measurement.
        TSong *listed = all.song(0);
        selection.sel().append(listed);
        listed->SelNum = 1;
        selection.ShowSelectionTotal();
        int refreshes = 0;
        const auto counter = QObject::connect(&all, &ListState::rowsChanged, [&] { ++refreshes; });
        dialogs.asked.clear();
        dialogs.progress.clear();
        dialogs.results = c.located;
        dialogs.results.push_front(mrYes);
        dialogs.cancelProgressAfter = c.cancelAfter;

        run.SetSizesAndTimes();
        QObject::disconnect(counter);
        EXPECT_EQ(state(), c.measured);
        EXPECT_EQ(refreshes, c.measured.count('m'));
        const QString last = all.rowText(all.count() - 1).toQString();
        EXPECT_EQ(last.contains("\t01:00\t"), c.measured.endsWith('m')) << last.toStdString();
        EXPECT_EQ(all.currentRow(), c.currentAfter);
        EXPECT_EQ(player.Opened(), c.fileOpen);
        EXPECT_EQ(catalog.DBModified(), c.measured != QString(c.measured.size(), '.'));
        EXPECT_EQ(dialogs.asked.size(), 1 + c.located.size());
        EXPECT_EQ(selection.total(), Selection::TotalText(1, listed->Size / 100, listed->Seconds));
        const int first = std::max(c.current, 0);
        ASSERT_EQ(dialogs.progress.size(), 1 + c.started);
        EXPECT_EQ(dialogs.progress[0], "Measuring tracks");
        EXPECT_EQ(dialogs.progress[1], QString("0/%1 Album - Artist - %2.mp3").arg(c.files.size() - first).arg(first + 1));
        selection.ClearSelection();
    }
}
