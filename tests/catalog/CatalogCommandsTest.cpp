#include "catalog/CatalogCommands.h"
#include "selection/SelectionHelpers.h"
#include "support/TempDir.h"

#include <QDir>
#include <QTemporaryDir>

namespace {
struct Commands : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Catalog catalog{dialogs, ShortStr::fromQString(dir.path()), "ZEMLO"};
    Selection selection{catalog.all, dialogs};
    CatalogCommands commands{catalog, selection};

    QString path(const QString &name) const { return dir.filePath(name); }
    void SetUp() override
    {
        WriteFileBytes(path("a.lst"), CatalogFileBytes({"CD1; 01:00; 100; Alpha; x; one; f1", "CD1; 02:00; 200; Beta; x; two; f2"}));
        WriteFileBytes(path("b.lst"), CatalogFileBytes({"CD2; 03:00; 300; Gamma; y; three; g1"}));
    }
    // a.lst open, its first track renamed and listed in the selection.
    void openModified()
    {
        selection.ClearSelection();  // its rows refer to the records that loading releases
        catalog.DBFileName = ShortStr::fromQString(path("a.lst"));
        ASSERT_TRUE(catalog.LoadCatalog(catalog.DBFileName));
        catalog.all.song(0)->SetTexts("Edited", "x", "one", "f1");
        catalog.DBModified = true;
        catalog.all.setSelected(0, true);
        selection.selDragDrop(&catalog.all, 0);
        catalog.all.clearSelection();
        selection.SelModified = false;
        dialogs.asked.clear();
    }
    ::testing::AssertionResult invariant() const { return SelNumInvariant(catalog.all, selection.sel); }
    QString question() const { return path("a.lst") + " has been modified. Save ?"; }
};
} // namespace

TEST_F(Commands, SaveQuestionAnswersForNewOpenAndClose)
{
    enum Command { New, Open, Close };
    struct Case {
        Command command;
        int answer;
        bool saved, wentOn;
    };
    const Case cases[] = {
        {New, mrYes, true, true},    {New, mrNo, false, true},    {New, mrCancel, false, false},
        {Open, mrYes, true, true},   {Open, mrNo, false, true},   {Open, mrCancel, false, false},
        {Close, mrYes, true, true},  {Close, mrNo, false, true},  {Close, mrCancel, false, false},
    };
    const QByteArray original = ReadFileBytes(path("a.lst"));
    for (const auto &c : cases) {
        SCOPED_TRACE(std::to_string(c.command) + " answered " + std::to_string(c.answer));
        WriteFileBytes(path("a.lst"), original);
        openModified();
        dialogs.results = {c.answer};
        dialogs.texts = {path("b.lst")};
        bool mayClose = false;
        if (c.command == New)
            commands.NewDBClick();
        else if (c.command == Open)
            commands.LoadDBClick();
        else
            mayClose = commands.FormCloseQuery();
        ASSERT_TRUE(invariant());

        ASSERT_FALSE(dialogs.asked.empty());
        const AskedDialog &q = dialogs.asked[0];
        EXPECT_EQ(q.kind, "MessageDlgFocus");
        EXPECT_EQ(q.text, question());
        EXPECT_EQ(q.type, MsgDlgType::Confirmation);
        EXPECT_EQ(q.buttons, ButtonSet({mbYes, mbNo, mbCancel}));
        EXPECT_EQ(q.focus, mbYes);
        EXPECT_EQ(ReadFileBytes(path("a.lst")).contains("Edited"), c.saved);

        if (!c.wentOn) {
            EXPECT_EQ(dialogs.asked.size(), 1u);
            EXPECT_EQ(catalog.DBFileName.toQString(), path("a.lst"));
            EXPECT_EQ(catalog.all.count(), 2);
            EXPECT_EQ(selection.sel.count(), 1);
            EXPECT_TRUE(catalog.DBModified);
            EXPECT_FALSE(mayClose);
            continue;
        }
        EXPECT_EQ(catalog.DBModified, c.command == Close && !c.saved);
        if (c.command == New) {
            EXPECT_EQ(catalog.DBFileName.toQString(), "<NEW>");
            EXPECT_EQ(catalog.all.count(), 0);
        } else if (c.command == Open) {
            EXPECT_EQ(catalog.DBFileName.toQString(), path("b.lst"));
            EXPECT_EQ(catalog.all.count(), 1);
        } else {
            EXPECT_TRUE(mayClose);
        }
    }
}

TEST_F(Commands, UnmodifiedCatalogIsNotAskedAbout)
{
    openModified();
    catalog.DBModified = false;
    EXPECT_TRUE(commands.AskSaveChanges());
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Commands, YesForANewCatalogAsksForANameAndCancellingItGoesOn)
{
    commands.NewDBClick();
    catalog.DBModified = true;
    dialogs.results = {mrYes};
    commands.NewDBClick();
    ASSERT_EQ(dialogs.asked.size(), 2u);
    EXPECT_EQ(dialogs.asked[0].text, "<NEW> has been modified. Save ?");
    EXPECT_EQ(dialogs.asked[1].kind, "SaveFileName");
    EXPECT_FALSE(dialogs.asked[1].confirmOverwrite);  // the catalog is written over its file unasked
    EXPECT_FALSE(catalog.DBModified);
    EXPECT_EQ(catalog.DBFileName.toQString(), "<NEW>");
}

TEST_F(Commands, FailedSaveAfterYesKeepsEverything)
{
    openModified();
    const QString unwritable = path("gone/a.lst");
    catalog.DBFileName = ShortStr::fromQString(unwritable);
    for (int command = 0; command < 3; ++command) {
        dialogs.asked.clear();
        dialogs.results = {mrYes};
        dialogs.texts = {path("b.lst")};
        if (command == 0)
            commands.NewDBClick();
        else if (command == 1)
            commands.LoadDBClick();
        else
            EXPECT_FALSE(commands.FormCloseQuery());
        ASSERT_TRUE(invariant());
        EXPECT_EQ(dialogs.textsAsked(), QStringList({unwritable + " has been modified. Save ?",
                                                     "Error saving DataBase to " + unwritable + " !"}));
        EXPECT_TRUE(catalog.DBModified);
        EXPECT_EQ(catalog.DBFileName.toQString(), unwritable);
        EXPECT_EQ(catalog.all.count(), 2);
        EXPECT_EQ(selection.sel.count(), 1);
    }
}

TEST_F(Commands, NewEmptiesCatalogAndSelection)
{
    openModified();
    catalog.DBModified = false;
    const QString total = catalog.allTotal();
    selection.SelModified = true;
    dialogs.results = {mrNo};
    commands.NewDBClick();
    ASSERT_TRUE(invariant());
    EXPECT_EQ(catalog.all.count(), 0);
    EXPECT_EQ(catalog.songIndex.count(), 0);
    EXPECT_EQ(selection.sel.count(), 0);
    EXPECT_EQ(selection.total(), "Total 0 files,   0.0MB, Play Time : 00:00");
    EXPECT_EQ(catalog.DBFileName.toQString(), "<NEW>");
    EXPECT_EQ(catalog.caption(), "ZEMLO - <NEW>");
    EXPECT_EQ(catalog.allTotal(), total);
    // The unsaved selection list is asked about, although its rows are gone already.
    EXPECT_EQ(dialogs.textsAsked(), QStringList{"List is not saved. clear list ?"});
}

TEST_F(Commands, OpenLoadsTheChosenFile)
{
    openModified();
    catalog.DBModified = false;
    dialogs.texts = {path("b.lst")};
    commands.LoadDBClick();
    ASSERT_TRUE(invariant());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "Select MP3 DataBase|MP3 DataBases (*.lst)");
    EXPECT_EQ(dialogs.defaultExts, QStringList{"lst"});
    EXPECT_EQ(catalog.DBFileName.toQString(), path("b.lst"));
    EXPECT_EQ(catalog.caption(), "ZEMLO - B.LST");
    EXPECT_EQ(catalog.all.count(), 1);
    EXPECT_EQ(catalog.all.currentRow(), 0);
    EXPECT_EQ(selection.sel.count(), 0);
    EXPECT_TRUE(catalog.allTotal().startsWith("1 files,"));

    // Cancelling the file dialog changes nothing, the selection list included.
    openModified();
    catalog.DBModified = false;
    commands.LoadDBClick();
    EXPECT_EQ(catalog.DBFileName.toQString(), path("a.lst"));
    EXPECT_EQ(selection.sel.count(), 1);
    ASSERT_TRUE(invariant());
}

TEST_F(Commands, OpenOfAnUnreadableFileKeepsTheCatalogUnderItsName)
{
    for (const QString &bad : {path("missing.lst"), dir.path()}) {
        SCOPED_TRACE(bad.toStdString());
        openModified();
        dialogs.results = {mrNo};
        dialogs.texts = {bad};
        commands.LoadDBClick();
        ASSERT_TRUE(invariant());
        EXPECT_EQ(dialogs.asked.back().text, "Can't open DataBase " + bad + " !");
        EXPECT_EQ(dialogs.asked.back().type, MsgDlgType::Error);
        EXPECT_EQ(catalog.DBFileName.toQString(), path("a.lst"));
        EXPECT_EQ(catalog.caption(), "ZEMLO - A.LST");
        EXPECT_EQ(catalog.all.count(), 2);
        EXPECT_EQ(selection.sel.count(), 1);
        EXPECT_TRUE(catalog.DBModified);

        // A later Save writes the catalog to its own file, never to the one that failed.
        EXPECT_EQ(commands.SaveAllList1Click(), CatalogCommands::SaveResult::Saved);
        EXPECT_TRUE(ReadFileBytes(path("a.lst")).contains("Edited"));
        EXPECT_FALSE(QFileInfo(bad).isFile());
    }

    // At start-up an unreadable catalog is passed over silently.
    dialogs.asked.clear();
    EXPECT_FALSE(catalog.LoadCatalog(ShortStr::fromQString(path("missing.lst"))));
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Commands, LongNamesAreKeptWhole)
{
    const QString deep = path(QString(60, 'd') + "/" + QString(30, 'e') + ".lst");
    ASSERT_GT(deep.size(), 80);
    QDir(dir.path()).mkdir(QString(60, 'd'));
    WriteFileBytes(deep, CatalogFileBytes({"CD3; 01:00; 1; Deep; z; t; h"}));
    dialogs.texts = {deep};
    commands.LoadDBClick();
    EXPECT_EQ(catalog.DBFileName.toQString(), deep);
    ASSERT_EQ(catalog.all.count(), 1);

    const QString tooLong = path(QString(300, 'n') + ".lst");
    dialogs.texts = {tooLong};
    commands.LoadDBClick();
    EXPECT_EQ(dialogs.asked.back().text, "Can't open DataBase " + tooLong + " !");
    EXPECT_EQ(catalog.DBFileName.toQString(), deep);
}

TEST_F(Commands, SaveOfANewCatalogAsksForAName)
{
    commands.NewDBClick();
    catalog.DBModified = true;

    // Cancelled: nothing written, still new, and the next Save asks again.
    EXPECT_EQ(commands.SaveAllList1Click(), CatalogCommands::SaveResult::Cancelled);
    EXPECT_EQ(catalog.DBFileName.toQString(), "<NEW>");
    EXPECT_TRUE(catalog.DBModified);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].kind, "SaveFileName");
    EXPECT_EQ(dialogs.asked[0].text, "Select MP3 DataBase|MP3 DataBases (*.lst)");
    EXPECT_EQ(dialogs.defaultExts, QStringList{"lst"});

    // A name that cannot be written: reported, and the catalog stays new.
    dialogs.texts = {path("gone/n.lst")};
    EXPECT_EQ(commands.SaveAllList1Click(), CatalogCommands::SaveResult::Failed);
    EXPECT_EQ(dialogs.asked.back().text, "Error saving DataBase to " + path("gone/n.lst") + " !");
    EXPECT_EQ(catalog.DBFileName.toQString(), "<NEW>");
    EXPECT_TRUE(catalog.DBModified);

    dialogs.texts = {path("n.lst")};
    EXPECT_EQ(commands.SaveAllList1Click(), CatalogCommands::SaveResult::Saved);
    EXPECT_EQ(catalog.DBFileName.toQString(), path("n.lst"));
    EXPECT_EQ(catalog.caption(), "ZEMLO - N.LST");
    EXPECT_FALSE(catalog.DBModified);
    EXPECT_TRUE(ReadFileBytes(path("n.lst")).startsWith("CD#"));

    // Once named, Save writes straight to the file.
    dialogs.asked.clear();
    catalog.DBModified = true;
    EXPECT_EQ(commands.SaveAllList1Click(), CatalogCommands::SaveResult::Saved);
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(Commands, CatalogStartedWithoutAFileNameIsSavedLikeANewOne)
{
    // With no name at start-up the catalog's name is the program's directory.
    catalog.DBFileName = ShortStr::fromQString(dir.path() + "/");
    catalog.DBModified = true;
    dialogs.texts = {path("first.lst")};
    EXPECT_EQ(commands.SaveAllList1Click(), CatalogCommands::SaveResult::Saved);
    EXPECT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(catalog.DBFileName.toQString(), path("first.lst"));
    EXPECT_TRUE(QFileInfo(path("first.lst")).isFile());
}
