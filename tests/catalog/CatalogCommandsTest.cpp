#include "catalog/CatalogCommands.h"
#include "selection/SelectionFile.h"
#include "selection/SelectionHelpers.h"
#include "support/FailingDevice.h"
#include "support/TempDir.h"

#include <QDir>
#include <QTemporaryDir>
#include <sys/stat.h>

namespace {
struct Commands : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Catalog catalog{dialogs, dir.path(), "ZEMLO"};
    Selection selection{catalog, dialogs};
    SelectionFile selectionFile{catalog, selection, dialogs};
    CatalogCommands commands{catalog, selection, selectionFile};

    QString path(const QString &name) const { return dir.filePath(name); }
    // The other catalog, under a long name in a directory of its own.
    const QString b = path(QString(60, 'd') + "/b.lst");
    void SetUp() override
    {
        WriteFileBytes(path("a.lst"), CatalogFileBytes({"CD1; 01:00; 100; Alpha; x; one; f1", "CD1; 02:00; 200; Beta; x; two; f2"}));
        QDir(dir.path()).mkdir(QString(60, 'd'));
        WriteFileBytes(b, CatalogFileBytes({"CD2; 03:00; 300; Gamma; y; three; g1"}));
    }
    // a.lst open, its first track renamed and listed in the selection.
    void openModified()
    {
        selection.ClearSelection();  // its rows refer to the records that loading releases
        catalog.setDBFileName(path("a.lst"));
        ASSERT_TRUE(catalog.LoadCatalog(catalog.DBFileName()));
        catalog.all().song(0)->SetTexts("Edited", "x", "one", "f1");
        catalog.setDBModified(true);
        catalog.all().setSelected(0, true);
        selection.selDragDrop(&catalog.all(), 0);
        catalog.all().clearSelection();
        selection.setSelModified(false);
        dialogs.asked.clear();
    }
    enum Command { New, Open, Close };
    // Whether the window may close; false for New and Open.
    bool run(Command command)
    {
        if (command == Close)
            return commands.FormCloseQuery();
        command == New ? commands.NewDBClick() : commands.LoadDBClick();
        return false;
    }
    ::testing::AssertionResult invariant() const { return SelNumInvariant(catalog.all(), selection.sel()); }
};
} // namespace

TEST_F(Commands, SaveQuestionAnswersForNewOpenAndClose)
{
    enum Answer { Yes, No, Cancel, YesButUnwritable };
    const QByteArray original = ReadFileBytes(path("a.lst"));
    for (const Command command : {New, Open, Close}) {
        for (const Answer answer : {Yes, No, Cancel, YesButUnwritable}) {
            SCOPED_TRACE("command " + std::to_string(command) + " answer " + std::to_string(answer));
            WriteFileBytes(path("a.lst"), original);
            openModified();
            const QString name = path(answer == YesButUnwritable ? "gone/a.lst" : "a.lst");
            catalog.setDBFileName(name);
            dialogs.results = {answer == No ? mrNo : answer == Cancel ? mrCancel : mrYes};
            dialogs.texts = {b};
            const QString total = catalog.allTotal();
            const bool mayClose = run(command);
            ASSERT_TRUE(invariant());

            ASSERT_FALSE(dialogs.asked.empty());
            const AskedDialog &q = dialogs.asked[0];
            EXPECT_EQ(q.kind, "MessageDlgFocus");
            EXPECT_EQ(q.text, name + " has been modified. Save ?");
            EXPECT_EQ(q.type, MsgDlgType::Confirmation);
            EXPECT_EQ(q.buttons, ButtonSet({mbYes, mbNo, mbCancel}));
            EXPECT_EQ(q.focus, mbYes);
            EXPECT_EQ(ReadFileBytes(path("a.lst")).contains("Edited"), answer == Yes);

            if (answer == Cancel || answer == YesButUnwritable) {
                // Nothing goes on; a failed save is reported and the changes stay unsaved.
                const QStringList report{"Error saving DataBase to " + name + " !"};
                EXPECT_EQ(dialogs.textsAsked().mid(1), answer == Cancel ? QStringList() : report);
                EXPECT_EQ(catalog.DBFileName(), name);
                EXPECT_EQ(catalog.all().count(), 2);
                EXPECT_EQ(selection.sel().count(), 1);
                EXPECT_TRUE(catalog.DBModified());
                EXPECT_FALSE(mayClose);
                continue;
            }
            EXPECT_EQ(catalog.DBModified(), command == Close && answer == No);
            EXPECT_EQ(selection.sel().count(), command == Close ? 1 : 0);
            if (command == New) {
                EXPECT_EQ(catalog.DBFileName(), "<NEW>");
                EXPECT_EQ(catalog.all().count(), 0);
                EXPECT_EQ(catalog.songIndex().count(), 0);
                EXPECT_EQ(catalog.allTotal(), total);  // not refreshed
            } else if (command == Open) {
                ASSERT_GT(b.size(), 80);
                EXPECT_EQ(catalog.DBFileName(), b);  // whole, however long
                EXPECT_EQ(catalog.caption(), "ZEMLO - " + b.toUpper());  // outside the program's directory
                EXPECT_EQ(catalog.all().count(), 1);
                EXPECT_EQ(catalog.all().currentRow(), 0);
                EXPECT_TRUE(catalog.allTotal().startsWith("1 files,"));
            } else {
                EXPECT_TRUE(mayClose);
            }
        }
    }
}

// The question about an unsaved selection list follows the catalog's. New and Open then empty
// the list and ask, as the list's own New does, about a list that is still unsaved.
TEST_F(Commands, SelectionQuestionForNewOpenAndClose)
{
    enum Answer { Yes, No, Cancel, YesButDialogCancelled, YesButUnwritable };
    const QString list = path("sel.m3c");
    for (const Command command : {New, Open, Close}) {
        for (const Answer answer : {Yes, No, Cancel, YesButDialogCancelled, YesButUnwritable}) {
            SCOPED_TRACE("command " + std::to_string(command) + " answer " + std::to_string(answer));
            QFile::remove(list);
            openModified();
            selection.setSelModified(true);
            const bool saving = answer == Yes || answer == YesButDialogCancelled || answer == YesButUnwritable;
            const QString chosen = answer == Yes ? list : answer == YesButUnwritable ? path("none/sel.m3c") : QString();
            // The catalog is not saved; the list "clear list ?" is answered No: its rows are gone anyway.
            dialogs.results = {mrNo, answer == No ? mrNo : answer == Cancel ? mrCancel : mrYes, mrNo};
            dialogs.texts = saving ? std::deque<QString>{chosen, b} : std::deque<QString>{b};
            const bool mayClose = run(command);
            ASSERT_TRUE(invariant());

            const bool goesOn = answer != Cancel && answer != YesButUnwritable;
            QStringList expected{path("a.lst") + " has been modified. Save ?", "Save selection list ?"};
            if (saving)
                expected << "Select CD List FileName|MP3 CD List (*.m3c)";
            if (answer == YesButUnwritable)
                expected << "Error saving list to " + chosen + " !";
            if (goesOn && command == Open)
                expected << "Select MP3 DataBase|MP3 DataBases (*.lst)";
            if (goesOn && command != Close && answer != Yes)
                expected << "List is not saved. clear list ?";
            EXPECT_EQ(dialogs.textsAsked(), expected);
            EXPECT_EQ(dialogs.asked[1].kind, "MessageBox");
            EXPECT_EQ(dialogs.asked[1].type, MsgDlgType::Confirmation);
            EXPECT_EQ(dialogs.asked[1].buttons, ButtonSet({mbYes, mbNo, mbCancel}));

            EXPECT_EQ(ReadFileBytes(list), answer == Yes ? QByteArray("CD1\tf1\r\n") : QByteArray());
            EXPECT_EQ(selection.SelModified(), answer != Yes);
            EXPECT_EQ(selection.sel().count(), goesOn && command != Close ? 0 : 1);
            EXPECT_EQ(catalog.DBModified(), !goesOn || command == Close);
            EXPECT_EQ(mayClose, goesOn && command == Close);
        }
    }

    // An unsaved list without rows is not asked about.
    openModified();
    selection.ClearSelection();
    selection.setSelModified(true);
    catalog.setDBModified(false);
    EXPECT_TRUE(commands.FormCloseQuery());
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Commands, YesForANewCatalogAsksForANameAndCancellingItGoesOn)
{
    commands.NewDBClick();
    catalog.setDBModified(true);
    dialogs.results = {mrYes};
    dialogs.texts = {QString()};  // the name is not given
    commands.NewDBClick();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].text, "<NEW> has been modified. Save ?");
    EXPECT_EQ(dialogs.asked[1].kind, "SaveFileName");
    EXPECT_FALSE(dialogs.asked[1].confirmOverwrite);  // the catalog is written over its file unasked
    EXPECT_FALSE(catalog.DBModified());
    EXPECT_EQ(catalog.DBFileName(), "<NEW>");
}

TEST_F(Commands, OpenCancelledInTheFileDialogChangesNothing)
{
    openModified();
    catalog.setDBModified(false);
    dialogs.texts = {QString()};
    commands.LoadDBClick();
    ASSERT_TRUE(invariant());
    EXPECT_EQ(dialogs.asked.size(), 1u);  // the file dialog only: nothing to save
    EXPECT_EQ(catalog.DBFileName(), path("a.lst"));
    EXPECT_EQ(catalog.all().count(), 2);
    EXPECT_EQ(selection.sel().count(), 1);
}

TEST_F(Commands, OpenOfAnUnreadableFileKeepsTheCatalogUnderItsName)
{
    // A name too long for a short string must not open the file that its cut name gives.
    const QString tooLong = path(QString(300, 'n') + ".lst");
    WriteFileBytes(ShortStr::fromQString(tooLong).toQString(), ReadFileBytes(b));
    // A pipe or a device would be read forever.
    const QString fifo = path("pipe.lst");
    ASSERT_EQ(mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QStringList unreadable = {path("missing.lst"), dir.path(), tooLong, fifo, "/dev/zero"};
    for (const QString &bad : unreadable) {
        SCOPED_TRACE(bad.toStdString());
        openModified();
        dialogs.results = {mrNo};
        dialogs.texts = {bad};
        commands.LoadDBClick();
        ASSERT_TRUE(invariant());
        EXPECT_EQ(dialogs.asked.back().text, "Can't open DataBase " + bad + " !");
        EXPECT_EQ(dialogs.asked.back().type, MsgDlgType::Error);
        EXPECT_EQ(catalog.DBFileName(), path("a.lst"));
        EXPECT_EQ(catalog.caption(), "ZEMLO - A.LST");
        EXPECT_EQ(catalog.all().count(), 2);
        EXPECT_EQ(selection.sel().count(), 1);
        EXPECT_TRUE(catalog.DBModified());

        // A later Save writes the catalog to its own file, never to the one that failed.
        EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Saved);
        EXPECT_TRUE(ReadFileBytes(path("a.lst")).contains("Edited"));
        EXPECT_FALSE(QFileInfo(bad).isFile());
    }

    // At start-up a catalog that is not there, or not a regular file, is passed over silently
    // and leaves the catalog as it was.
    dialogs.asked.clear();
    const QString total = catalog.allTotal();
    for (const QString &bad : unreadable + QStringList{QString()}) {
        EXPECT_FALSE(catalog.LoadCatalog(bad)) << bad.toStdString();
        EXPECT_EQ(catalog.all().count(), 2);
        EXPECT_EQ(catalog.allTotal(), total);
    }
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Commands, SaveOfAnUnnamedCatalogAsksForAName)
{
    // A catalog started without a file name is named after the program's directory.
    for (const QString &start : {QString(CatalogCommands::NewName), dir.path() + "/"}) {
        SCOPED_TRACE(start.toStdString());
        catalog.setDBFileName(start);
        catalog.setDBModified(true);
        dialogs.asked.clear();

        // Cancelled: nothing written, still unnamed, and the next Save asks again.
        dialogs.texts = {QString()};
        EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Cancelled);
        EXPECT_EQ(catalog.DBFileName(), start);
        EXPECT_TRUE(catalog.DBModified());
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].kind, "SaveFileName");

        // A name that cannot be written: reported, and the catalog stays unnamed.
        dialogs.texts = {path("gone/n.lst")};
        EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Failed);
        EXPECT_EQ(dialogs.asked.back().text, "Error saving DataBase to " + path("gone/n.lst") + " !");
        EXPECT_EQ(catalog.DBFileName(), start);
        EXPECT_TRUE(catalog.DBModified());

        dialogs.texts = {path("n.lst")};
        EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Saved);
        EXPECT_EQ(catalog.DBFileName(), path("n.lst"));
        EXPECT_EQ(catalog.caption(), "ZEMLO - N.LST");
        EXPECT_FALSE(catalog.DBModified());
        EXPECT_TRUE(ReadFileBytes(path("n.lst")).startsWith("CD#"));
        QFile::remove(path("n.lst"));

        // Once named, Save writes straight to the file.
        dialogs.asked.clear();
        catalog.setDBModified(true);
        EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Saved);
        EXPECT_TRUE(dialogs.asked.empty());
    }
}

// After a read error the catalog keeps what was read, and Save asks before it replaces the file.
TEST_F(Commands, ReadErrorKeepsWhatWasReadAndSaveAsksFirst)
{
    const QString file = path("c.lst");
    const QByteArray tracks = CatalogFileBytes({"CD1; 01:00; 100; Alpha; x; one; f1", "CD1; 02:00; 200; Beta; x; two; f2",
                                                "CD1; 03:00; 300; Gamma; x; three; f3"});
    // Loads the file as start-up does, through a device that fails like the disk would.
    auto loadFailing = [&](qint64 failAt, bool openFails) {
        catalog.openCatalogDevice = [=](const QString &) { return std::make_unique<FailingDevice>(tracks, failAt, openFails); };
        catalog.setDBFileName(file);
        return catalog.LoadCatalog(file);
    };
    auto artists = [this] {
        QStringList out;
        for (const TSong *s : catalog.all().songs())
            out << s->Artist().toQString();
        return out;
    };
    const QString readError = "DataBase " + file + " could not be read completely ! Only the tracks read before the error are shown.";
    const QString saveQuestion = "DataBase " + file + " could not be read completely. Saving replaces the whole file with"
                                 " the tracks shown. Save anyway ?";
    // The third track line is cut off by the error; an unopenable file reads as nothing.
    const qint64 intoThirdTrack = tracks.indexOf("Gamma");
    struct Case { const char *name; qint64 failAt; bool openFails; QStringList kept; };
    const Case cases[] = {
        {"read error in the middle", intoThirdTrack, false, {"Alpha", "Beta"}},
        {"file that cannot be opened", FailingDevice::Never, true, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        WriteFileBytes(file, tracks);
        dialogs.asked.clear();
        ASSERT_TRUE(loadFailing(c.failAt, c.openFails));
        EXPECT_EQ(artists(), c.kept);
        EXPECT_EQ(dialogs.textsAsked(), QStringList{readError});
        EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Error);
        EXPECT_TRUE(catalog.readIncomplete());

        // No: nothing written. The question comes again at the next Save.
        for (int round = 0; round < 2; ++round) {
            dialogs.asked.clear();
            dialogs.results = {mrNo};
            EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Failed);
            ASSERT_EQ(dialogs.asked.size(), 1u);
            EXPECT_EQ(dialogs.asked[0].kind, "MessageDlgFocus");
            EXPECT_EQ(dialogs.asked[0].text, saveQuestion);
            EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Warning);
            EXPECT_EQ(dialogs.asked[0].buttons, ButtonSet({mbYes, mbNo}));
            EXPECT_EQ(dialogs.asked[0].focus, mbNo);
            EXPECT_EQ(ReadFileBytes(file), tracks);
        }
        // Yes: the tracks shown replace the file, and later saves ask nothing.
        dialogs.results = {mrYes};
        EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Saved);
        EXPECT_FALSE(catalog.readIncomplete());
        catalog.openCatalogDevice = nullptr;
        ASSERT_TRUE(catalog.LoadCatalog(catalog.DBFileName()));
        EXPECT_EQ(artists(), c.kept);
        dialogs.asked.clear();
        EXPECT_EQ(commands.SaveAllList1Click(), SaveResult::Saved);
        EXPECT_TRUE(dialogs.asked.empty());
    }

    // An error that the reading never meets is none; a later good load forgets an error.
    dialogs.asked.clear();
    ASSERT_TRUE(loadFailing(tracks.size() + 1, false));
    EXPECT_EQ(artists().size(), 3);
    EXPECT_FALSE(catalog.readIncomplete());
    EXPECT_TRUE(dialogs.asked.empty());
    ASSERT_TRUE(loadFailing(0, false));
    catalog.openCatalogDevice = nullptr;
    ASSERT_TRUE(catalog.LoadCatalog(catalog.DBFileName()));
    EXPECT_FALSE(catalog.readIncomplete());
}
