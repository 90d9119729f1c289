#include "app/Config.h"
#include "catalog/Catalog.h"
#include "catalog/TSong.h"
#include "import/CDImport.h"
#include "import/ImportFormats.h"
#include "import/ImportInfoForm.h"
#include "import/ImportTracksForm.h"
#include "import/TrackMeasurement.h"
#include "player/TMPEGPlayer.h"
#include "selection/TrackFileLocator.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "util/LongPaths.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>

inline void PrintTo(const QString &s, std::ostream *os) { *os << s.toStdString(); }

namespace {
using Press = void (ImportTracksForm::*)();
const Press Add = &ImportTracksForm::OkBtnClick, Skip = &ImportTracksForm::SkipBtnClick,
            Stop = &ImportTracksForm::CancelBtnClick;

struct Import : ::testing::Test {
    ScriptedDialogs dialogs;
    QTemporaryDir tmp;
    Config config;
    Catalog catalog{dialogs, tmp.path(), "ZEMLO"};
    TrackFileLocator locator{config, dialogs};
    TMPEGPlayer player;  // without its library: files are measured by size only
    TrackMeasurement measurement{locator, player, catalog};
    ImportFormats formats;
    CDImport import{config, catalog, measurement, formats, dialogs};
    const QString root = tmp.path() + "/cd/";

    void SetUp() override { ASSERT_TRUE(QDir().mkpath(root)); }

    // A file below the root, with its directories.
    void file(const QString &relative, const QByteArray &bytes = "data")
    {
        QDir().mkpath(DirPartOf(root + relative));
        WriteFileBytes(root + relative, bytes);
    }
    void start(const QString &cdId = "CD1", const QString &source = QString(), bool subDirs = true)
    {
        const QString typed = source.isNull() ? root : source;
        dialogs.onForm<ImportInfoForm>([=](ImportInfoForm &form) {
            form.CDNum = cdId;
            form.Source = typed;
            form.SubDirs = subDirs;
            form.BitBtn1Click();
        });
    }
    // The next Import Tracks dialog comes up and is closed by the given button.
    void answer(Press press, std::function<void(ImportTracksForm &)> check = nullptr)
    {
        dialogs.onForm<ImportTracksForm>([=](ImportTracksForm &form) {
            form.FormActivate();
            if (check)
                check(form);
            (form.*press)();
        });
    }
    QStringList shown(const QString &kind) const
    {
        QStringList texts;
        for (const AskedDialog &a : dialogs.asked)
            if (a.kind == kind)
                texts << a.text;
        return texts;
    }
    // The directories offered, in order, as the Import Tracks captions name them.
    QStringList offered() const { return shown("ImportTracks").replaceInStrings("Import from ", ""); }
    // "CD ID|Artist|Album|Track|FileName|Size" per catalog row.
    QStringList stored() const
    {
        QStringList rows;
        for (const TSong *s : catalog.all().songs())
            rows << QStringList{s->CDID().toQString(), s->Artist().toQString(), s->Album().toQString(),
                                s->Track().toQString(), s->FileName().toQString(), QString::number(s->Size)}
                        .join('|');
        return rows;
    }
    void addStored(const char *line)
    {
        auto song = std::make_unique<TSong>();
        song->ParseLine(line);
        catalog.AddTrack(std::move(song));
    }
};
} // namespace

TEST_F(Import, WalksTheTreeDepthFirstWithEachRealDirectoryOnceBeforeItsChildren)
{
    file("Ar-Al-Root.mp3");
    file("notes.txt");
    file("Pop/Ar-Al-Pop.MP3");
    file("Pop/Deep/Ar-Al-Deep.mp3x");  // the extension is read to three characters
    file("Empty/readme.txt");
    file("Empty/Sub/Ar-Al-Sub.mp3");
    file(".hidden/Ar-Al-Hidden.mp3");
    file("Pop/.cache/Ar-Al-Cache.mp3");
    ASSERT_TRUE(QFile::link(root + "none.mp3", root + "Ar-Al-Dangling.mp3"));
    // A link cycle, and a second name for Pop: each real directory is offered once, by either name.
    ASSERT_TRUE(QFile::link(root, root + "Pop/up"));
    ASSERT_TRUE(QFile::link(root + "Pop", root + "Mirror"));
    for (const bool subDirs : {true, false}) {
        SCOPED_TRACE(subDirs);
        dialogs.asked.clear();
        start("CD1", root, subDirs);
        int rootRows = 0;
        answer(Skip, [&](ImportTracksForm &form) { rootRows = form.Tracks.count(); });
        for (int k = subDirs ? 3 : 0; k > 0; --k)
            answer(Skip);
        import.ImportCDTracks1Click();
        const QStringList dirs = offered().replaceInStrings("Mirror\\", "Pop\\");
        if (subDirs)  // siblings in the order the file system gives
            EXPECT_TRUE(dirs == QStringList({"", "Pop\\", "Pop\\Deep\\", "Empty\\Sub\\"})
                        || dirs == QStringList({"", "Empty\\Sub\\", "Pop\\", "Pop\\Deep\\"}))
                << dirs.join(',').toStdString();
        else
            EXPECT_EQ(dirs, QStringList{""});
        EXPECT_EQ(rootRows, 1);
    }
}

TEST_F(Import, AddSkipAndStopInTheirSequences)
{
    file("Blue Fox-Night-Rain.mp3", "12345");
    file("Pop/Red Owl-Day-Sun.mp3");
    struct Case { std::vector<Press> answers; QStringList rows; const char *end; };
    const QString rootRow = "CD 7|Blue Fox|Night|Rain|Blue Fox-Night-Rain.mp3|5";
    const QString popRow = "CD 7|Red Owl|Day|Sun|Pop\\Red Owl-Day-Sun.mp3|4";
    const Case cases[] = {{{Add, Add}, {rootRow, popRow}, "Import Done."},
                          {{Skip, Add}, {popRow}, "Import Done."},
                          {{Add, Stop}, {rootRow}, "Import Aborted!"},
                          {{Stop}, {}, "Import Aborted!"}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.end);
        catalog.ClearCatalog();
        catalog.setDBModified(false);
        dialogs.asked.clear();
        start("CD 7");
        for (Press press : c.answers)
            answer(press);
        import.ImportCDTracks1Click();
        EXPECT_EQ(stored(), c.rows);
        EXPECT_EQ(catalog.DBModified(), !c.rows.isEmpty());
        EXPECT_EQ(shown("ImportTracks").size(), static_cast<int>(c.answers.size()));
        const QStringList messages = shown("MessageBox");
        EXPECT_EQ(messages.value(messages.size() - 1), c.end);
        EXPECT_EQ(catalog.songIndex().count(), c.rows.size());
    }
}

TEST_F(Import, ImportSlotHoldsTheRootOnlyWhileTheScanRuns)
{
    file("Ar-Al-T.mp3");
    file("Pop/Ar-Al-P.mp3");
    QString during;
    start();
    answer(Add, [&](ImportTracksForm &form) {
        during = config.CDPaths[0].toQString();
        EXPECT_EQ(form.SourceDir, root);
    });
    dialogs.onForm<ImportTracksForm>([](ImportTracksForm &) { throw std::runtime_error("broken dialog"); });
    EXPECT_THROW(import.ImportCDTracks1Click(), std::runtime_error);
    EXPECT_EQ(during, root);
    EXPECT_TRUE(config.CDPaths[0].empty());
    EXPECT_EQ(stored().size(), 1);
}

TEST_F(Import, PathsACatalogLineCannotHoldAreLeftOutAndNamed)
{
    file("x;y.mp3");
    file("back\\slash.mp3");
    file("Ar-Al-Ok.mp3");
    file("Se;mi/Ar-Al-In.mp3");
    start();
    answer(Add, [](ImportTracksForm &form) { EXPECT_EQ(form.Tracks.count(), 1); });
    import.ImportCDTracks1Click();
    EXPECT_EQ(offered(), QStringList{""});
    const QStringList messages = shown("MessageBox");
    ASSERT_EQ(messages.size(), 4);  // the not-in-list message, the root's, "Se;mi"'s, the end
    const QString rootMessage = messages.filter("x;y.mp3").value(0);
    EXPECT_TRUE(rootMessage.contains("\rback\\slash.mp3")) << rootMessage.toStdString();
    EXPECT_EQ(messages.filter("Se;mi/Ar-Al-In.mp3").size(), 1);
    EXPECT_EQ(stored(), QStringList{"CD1|Ar|Al|Ok|Ar-Al-Ok.mp3|4"});
}

TEST_F(Import, CDIDExistsStripsStoredZerosOnly)
{
    addStored("007; 00:00; 00000000; a; b; c; x.mp3");
    addStored("Ab; 00:00; 00000000; a; b; c; y.mp3");
    struct Case { const char *typed; bool exists; };
    const Case cases[] = {{"7", true}, {"007", false}, {"07", false}, {"aB", true}, {"AB", true},
                          {" 7", false}, {"8", false}};
    for (const Case &c : cases)
        EXPECT_EQ(import.CDIDExists(c.typed), c.exists) << c.typed;
}

TEST_F(Import, QuestionsAndMessagesBeforeTheScan)
{
    file("Ar-Al-T.mp3");
    addStored("7; 00:00; 00000000; a; b; c; x.mp3");
    config.CDPaths[1] = ShortStr::fromQString(root);
    config.CDPathCount = 1;
    const QString notInList = "The Selected path is not in the CD Path List.\rTracks will not be found for "
                              "playing && copying, if path is not added!";
    const QString exists = "CD ID Already Exists! Add to this CD ID ??";
    struct Case {
        const char *what;
        QString cdId, source;
        std::vector<int> results;
        QStringList messages;
        int added;
    };
    const QString typed = "  " + root.chopped(1) + " ";
    const Case cases[] = {
        {"trimmed, separator added: configured", "8", typed, {}, {"Import Done."}, 1},
        {"not configured", "9", tmp.path() + "/cd/../cd", {}, {notInList, "Import Done."}, 1},
        {"existing ID, Yes", "7", root, {mrYes}, {exists, "Import Done."}, 1},
        {"existing ID, No", "7", root, {mrNo}, {exists}, 0},
        {"blank source", "8", "   ", {}, {}, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        const int before = catalog.all().count();
        dialogs.asked.clear();
        start(c.cdId, c.source);
        dialogs.results.assign(c.results.begin(), c.results.end());
        if (c.added)
            answer(Add);
        import.ImportCDTracks1Click();
        EXPECT_EQ(shown("MessageBox"), c.messages);
        EXPECT_EQ(catalog.all().count() - before, c.added);
    }
}

TEST_F(Import, StartRefusesWhatCannotBeStoredAndCancelEndsSilently)
{
    struct Case { const char *cdId; QString source; bool closes; };
    const QString longest = "/" + QString(253, 'a');
    for (const Case &c : {Case{"   ", "", false}, Case{"a;b", "", false}, Case{"1", longest + "a", false},
                          Case{" 1 ", "  " + longest + "  ", true}}) {
        ImportInfoForm form(dialogs);
        form.CDNum = c.cdId;
        form.Source = c.source;
        form.BitBtn1Click();
        EXPECT_EQ(form.Closed(), c.closes) << c.cdId;
        EXPECT_EQ(form.Choice(), c.closes ? ImportInfoForm::StartChoice : ImportInfoForm::CancelChoice);
    }
    EXPECT_EQ(shown("MessageBox").value(0), "CD ID can't be empty !!! write something... like '1' or anything!");
    EXPECT_EQ(shown("MessageBox").size(), 3);

    dialogs.asked.clear();
    config.CDPaths[1] = "/media/cd/";
    config.CDPathCount = 1;
    QStringList sources;
    dialogs.onForm<ImportInfoForm>([&](ImportInfoForm &form) {
        sources = form.SourceItems;
        sources << form.Source << (form.SubDirs ? "sub" : "");
        form.BitBtn2Click();
    });
    import.ImportCDTracks1Click();
    EXPECT_EQ(sources, (QStringList{"/media/cd/", "/media/cd/", "sub"}));
    EXPECT_EQ(dialogs.asked.size(), 1u);
}

TEST_F(Import, BigBatchesShowTheMeasuringAndKeepEveryTrackWhenItIsCancelled)
{
    for (int k = 1; k <= 6; ++k)
        file(QString("Ar-Al-T%1.mp3").arg(k), QByteArray(k, 'x'));
    dialogs.cancelProgressAfter = 2;
    start();
    answer(Add);
    import.ImportCDTracks1Click();
    EXPECT_EQ(dialogs.progress.value(0), "Measuring tracks");
    EXPECT_EQ(dialogs.progress.size(), 3);  // the title and two tracks started
    const std::vector<TSong *> &songs = catalog.all().songs();
    EXPECT_EQ(songs.size(), 6u);
    EXPECT_EQ(std::count_if(songs.begin(), songs.end(), [](const TSong *s) { return s->Size > 0; }), 2);
}

TEST_F(Import, TheKeyInForceSortsTheNewTracksIn)
{
    file("Aaa-Al-New.mp3");
    for (bool keyInForce : {false, true}) {
        SCOPED_TRACE(keyInForce);
        catalog.ClearCatalog();
        addStored("1; 00:00; 00000000; Mmm; b; c; x.mp3");
        if (keyInForce)
            catalog.sorter().Sort(SortKind::Artist, false);
        start();
        answer(Add);
        import.ImportCDTracks1Click();
        ASSERT_EQ(catalog.all().count(), 2);
        EXPECT_EQ(catalog.all().song(0)->Artist() == "Aaa", keyInForce);
    }
}
