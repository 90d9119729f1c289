#include "selection/ExportFixture.h"
#include "support/InsertingDialogs.h"

namespace {
using Locator = ExportFixture;
} // namespace

// How a name is matched on one path is the business of FindNativePath and tested there.
TEST_F(Locator, TriesTheImportSlotThenTheCDPathsInOrder)
{
    struct Case {
        const char *what;
        QStringList files;  // under the temporary directory; "/" at the end: a directory
        QString importSlot;
        QString stored;
        QString found;  // relative to the temporary directory; empty: not found
    };
    const Case cases[] = {
        {"only on the second path", {"e/Pop/x.mp3"}, {}, "Pop\\x.mp3", "e/Pop/x.mp3"},
        {"the first path wins", {"d/Pop/x.mp3", "e/Pop/x.mp3"}, {}, "Pop\\x.mp3", "d/Pop/x.mp3"},
        {"the import slot goes first", {"d/Pop/x.mp3", "imp/Pop/x.mp3"}, "imp", "Pop\\x.mp3", "imp/Pop/x.mp3"},
        {"a directory is no track file", {"d/Pop/x.mp3/"}, {}, "Pop\\x.mp3", {}},
        {"on no path", {"f/Pop/x.mp3"}, {}, "Pop\\x.mp3", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.path()).removeRecursively();
        QDir().mkpath(dir.path());
        for (const QString &f : c.files)
            make(f);
        setCDPaths({"d", "e"}, c.importSlot);
        QString name = c.stored;
        EXPECT_EQ(locator.LocateTrackFile(name), !c.found.isEmpty());
        EXPECT_EQ(name, c.found.isEmpty() ? c.stored : path(c.found));
    }
    // A slot without text does not stand for the working directory.
    make("x.mp3");
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    config = Config();
    config.CDPathCount = 1;
    QString bare = "x.mp3";
    EXPECT_FALSE(locator.LocateTrackFile(bare));
    QDir::setCurrent(previous);
}

TEST_F(Locator, AsksUntilTheFileAppearsOrTheUserCancels)
{
    struct Case {
        std::deque<int> answers;
        size_t appearsAfter;  // questions; 0: never
        bool found;
    };
    const Case cases[] = {{{mrRetry, mrRetry}, 2, true}, {{mrRetry, mrCancel}, 0, false}, {{}, 0, true}};
    for (const Case &c : cases) {
        QDir(path("e")).removeRecursively();
        setCDPaths({"d", "e"});
        if (c.answers.empty())
            make("e/Pop/x.mp3");
        InsertingDialogs inserting;
        inserting.results = c.answers;
        // The file appears while question number appearsAfter is shown.
        inserting.onQuestion = [&] {
            if (inserting.asked.size() + 1 == c.appearsAfter)
                make("e/Pop/x.mp3");
        };
        QString name = "Pop\\x.mp3";
        EXPECT_EQ(TrackFileLocator(config, inserting).EnsureTrackFile(name, "CD7"), c.found);
        EXPECT_EQ(name, c.found ? path("e/Pop/x.mp3") : "Pop\\x.mp3");
        ASSERT_EQ(inserting.asked.size(), c.answers.size());
        for (const AskedDialog &q : inserting.asked) {
            EXPECT_EQ(q.kind, "MessageDlgFocus");
            EXPECT_EQ(q.text, "Pop\\x.mp3 (cd CD7) not found.");
            EXPECT_EQ(q.type, MsgDlgType::Error);
            EXPECT_EQ(q.buttons, ButtonSet({mbRetry, mbCancel}));
            EXPECT_EQ(q.focus, mbRetry);
        }
    }
}
