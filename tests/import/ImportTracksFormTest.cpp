#include "import/ImportTracksForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TaggedMp3.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &s, std::ostream *os) { *os << s.toStdString(); }

namespace {
struct ImportForm : ::testing::Test {
    ScriptedDialogs dialogs;
    ImportFormats formats;
    QString sourceDir;
    std::unique_ptr<ImportTracksForm> form;

    // A new dialog for these files, brought up as the import shows it.
    void open(const QStringList &fileNames, const char *importDir = "")
    {
        form = std::make_unique<ImportTracksForm>(dialogs, formats, fileNames);
        form->ImportDir = importDir;
        form->SourceDir = sourceDir;
        form->FormActivate();
        dialogs.asked.clear();
    }
    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < form->Tracks.count(); ++row)
            texts << form->Tracks.rowText(row).toQString();
        return texts;
    }
    // "file|artist|album|track" per row, as the import reads them back.
    QStringList names() const
    {
        QStringList texts;
        for (const ImportedNames &n : form->RowNames())
            texts << QStringList{n.fileName, n.artist.toQString(), n.album.toQString(), n.track.toQString()}.join('|');
        return texts;
    }
};
} // namespace

TEST_F(ImportForm, TranslatesWithTheRememberedFormatsThatCarryToTheNextDialog)
{
    open({"Blue Fox-Night-Rain.mp3"});
    EXPECT_EQ(rows(), QStringList{"Blue Fox-Night-Rain.mp3\t  Blue Fox\t  Night\t  Rain"});
    form->Format = "Track";
    form->PathFormat = "Artist-Album";
    form->TranslateBtnClick(true);

    open({"07 Rain.mp3"}, "Pop\\Blue Fox-Night Songs\\");
    EXPECT_EQ(form->Format, ShortStr("Track"));
    EXPECT_EQ(names(), QStringList{"07 Rain.mp3|Blue Fox|Night Songs|07 Rain"});
}

TEST_F(ImportForm, TranslatesSelectedRowsOnlyAndGrowsTheItemsOncePerFormat)
{
    open({"A-B.mp3", "C-D.mp3"});
    const QStringList translated = rows();
    form->Format = "Track-Artist";
    form->FormatSelBtnClick();
    EXPECT_EQ(rows(), translated);
    EXPECT_EQ(formats.fileNameFormat, ShortStr("Track-Artist"));
    form->Tracks.setSelected(1, true);
    form->FormatSelBtnClick();
    EXPECT_EQ(rows(), (QStringList{translated[0], "C-D.mp3\t  D\t \t  C"}));

    // The empty path format was new at the first translation.
    EXPECT_EQ(form->PathFormatItems.size(), 5u);
    const std::pair<const char *, size_t> cases[] = {{"track-artist", 10}, {"Artist~Track", 11}, {"ARTIST~TRACK", 11}};
    for (const auto &[format, items] : cases) {
        form->Format = format;
        form->TranslateBtnClick(true);
        EXPECT_EQ(form->FormatItems.size(), items) << format;
    }
    EXPECT_EQ(form->FormatItems.back(), ShortStr("Artist~Track"));
}

TEST_F(ImportForm, ReplaceCharsChangesEveryRowsNamesButNotTheFileName)
{
    // A column replaced away keeps a blank, so that the tabbed row still has four columns.
    struct Case { QString search, replacement; QString first, second; };
    const Case cases[] = {
        {"_", " ", "Blue_Fox-Rain_Song.mp3\t  Blue Fox\t  Rain Song\t ", "x-y.mp3\t  x\t  y\t "},
        {QString(), "", "Blue_Fox-Rain_Song.mp3\t  Blue_Fox\t  Rain_Song\t ", "x-y.mp3\t  x\t  y\t "},
        {"_", QString(), "Blue_Fox-Rain_Song.mp3\t  Blue_Fox\t  Rain_Song\t ", "x-y.mp3\t  x\t  y\t "},
        {"", "z", "Blue_Fox-Rain_Song.mp3\t  Blue_Fox\t  Rain_Song\t ", "x-y.mp3\t  x\t  y\t "},
        {"  y", "", "Blue_Fox-Rain_Song.mp3\t  Blue_Fox\t  Rain_Song\t ", "x-y.mp3\t  x\t \t "},
    };
    const QStringList prompts{"Replace Chars|Enter Search Char :", "Replace Chars|Enter Replace Char :"};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.search.toStdString() + "->" + c.replacement.toStdString());
        open({"Blue_Fox-Rain_Song.mp3", "x-y.mp3"});
        dialogs.texts = {c.search, c.replacement};
        form->ReplaceBtnClick();
        EXPECT_EQ(rows(), (QStringList{c.first, c.second}));
        EXPECT_EQ(dialogs.textsAsked(), c.search.isNull() ? prompts.mid(0, 1) : prompts);
        dialogs.texts.clear();
    }
}

TEST_F(ImportForm, DoubleClickEditsTheCurrentRow)
{
    struct Case { const char *what; int current; TrackTexts answer; QString row; QStringList asked; };
    const Case cases[] = {
        {"ok", 1, {"", "Red Cat", "", "Snow"}, "C-D.mp3\tRed Cat\t \tSnow", {"C-D.mp3"}},
        {"cancel", 1, {}, "C-D.mp3\t  C\t  D\t ", {"C-D.mp3"}},
        {"no current row", -1, {}, "C-D.mp3\t  C\t  D\t ", {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        open({"A-B.mp3", "C-D.mp3"});
        form->Tracks.setCurrentRow(c.current);
        dialogs.answerEditTrack(c.answer);
        form->TracksDblClick();
        EXPECT_EQ(rows()[1], c.row);
        EXPECT_EQ(dialogs.textsAsked(), c.asked);
        EXPECT_EQ(form->Tracks.isSelected(1), c.row.contains("Red Cat"));
        EXPECT_EQ(form->Tracks.currentRow(), c.current);
        dialogs.forms.clear();
    }
}

TEST_F(ImportForm, AddChecksTheRowsAndTheButtonsCloseWithTheirChoice)
{
    const QString question = "Not all Artist, Album && Track Names are filled. Are you sure ?";
    struct Case { const char *what; QStringList files; const char *forceArtist; std::deque<int> answers; QString asked; int choice; };
    const Case cases[] = {
        {"all filled", {"A-B-C.mp3"}, "", {}, "", 1},
        {"blank track", {"A-B-C.mp3", "B-C.mp3", "C.mp3"}, "", {}, "All tracks must have a track name !", 2},
        {"blank artist, yes", {"A-B-C.mp3"}, " ", {mrYes}, question, 1},
        {"blank artist, no", {"A-B-C.mp3"}, " ", {mrNo}, question, 2},
        {"\";\" before blank tracks", {"A-B-C.mp3", "B-C.mp3"}, "AC;DC", {},
         "The names of A-B-C.mp3 hold a \";\" or a line break, which a catalog line cannot store. Replace Chars, or a "
         "double-click on the row, can change them.", 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        open(c.files);
        form->ForceArtist = c.forceArtist;
        form->TranslateBtnClick(true);
        dialogs.results = c.answers;
        form->OkBtnClick();
        EXPECT_EQ(dialogs.textsAsked().join('\n'), c.asked);
        EXPECT_EQ(form->Closed(), c.choice == 1);
        EXPECT_EQ(form->Choice(), c.choice);
    }

    const std::pair<void (ImportTracksForm::*)(), int> buttons[] = {{&ImportTracksForm::SkipBtnClick, 5},
                                                                     {&ImportTracksForm::CancelBtnClick, 2}};
    for (const auto &[press, choice] : buttons) {
        open({"A-B-C.mp3"});
        bool closed = false;
        form->OnClose = [&] { closed = true; };
        ((*form).*press)();
        EXPECT_TRUE(closed);
        EXPECT_EQ(form->Choice(), choice);
    }
}

TEST_F(ImportForm, OddFileNamesAreNeverReadBackFromTheRowText)
{
    const QString longName = QString(150, 'A') + "-" + QString(100, 'B') + ".mp3";
    open({"\"Quoted\" Fox-Rain.mp3", "\"Open-Rain.mp3", longName});
    form->Format = "Artist-Track";
    form->ForceAlbum = "\"Live";
    for (int pass = 0; pass < 2; ++pass) {
        form->TranslateBtnClick(true);
        EXPECT_EQ(names(), (QStringList{"\"Quoted\" Fox-Rain.mp3|\"Quoted\" Fox|\"Live|Rain", "\"Open-Rain.mp3|\"Open|\"Live|Rain",
                                        longName + "|" + QString(150, 'A') + "|\"Live|" + QString(100, 'B')}));
    }
    // The row shown is cut; the names the import takes are not.
    EXPECT_EQ(rows()[2], longName);
}

TEST_F(ImportForm, Id3TagsWinWhereTheyHoldAValueButForcedValuesWinOverThem)
{
    QTemporaryDir dir;
    WriteTaggedMp3(dir.filePath("Blue Fox-Night-Rain.mp3"), Id3Names{"Red Owl", " ", "Moon"});
    WriteTaggedMp3(dir.filePath("Green-Day-Sun.mp3"), std::nullopt);
    WriteTaggedMp3(dir.filePath("A-B-C.mp3"), std::nullopt, Id3Names{"Tagged Artist", "Tagged Album", "Tagged Title"});
    const QStringList files{"Blue Fox-Night-Rain.mp3", "Green-Day-Sun.mp3", "A-B-C.mp3"};

    struct Case { const char *what; bool useTags; bool withSourceDir; const char *forceArtist; QStringList names; };
    const Case cases[] = {
        {"box off", false, true, "",
         {"Blue Fox-Night-Rain.mp3|Blue Fox|Night|Rain", "Green-Day-Sun.mp3|Green|Day|Sun", "A-B-C.mp3|A|B|C"}},
        {"box on", true, true, "",
         {"Blue Fox-Night-Rain.mp3|Red Owl|Night|Moon", "Green-Day-Sun.mp3|Green|Day|Sun",
          "A-B-C.mp3|Tagged Artist|Tagged Album|Tagged Title"}},
        {"box on, Force Artist", true, true, "Forced",
         {"Blue Fox-Night-Rain.mp3|Forced|Night|Moon", "Green-Day-Sun.mp3|Forced|Day|Sun",
          "A-B-C.mp3|Forced|Tagged Album|Tagged Title"}},
        {"box on, no source directory", true, false, "",
         {"Blue Fox-Night-Rain.mp3|Blue Fox|Night|Rain", "Green-Day-Sun.mp3|Green|Day|Sun", "A-B-C.mp3|A|B|C"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sourceDir = c.withSourceDir ? dir.path() : QString();
        open(files);
        form->UseID3Tags = c.useTags;
        form->ForceArtist = c.forceArtist;
        form->TranslateBtnClick(true);
        EXPECT_EQ(names(), c.names);
    }
}

TEST_F(ImportForm, TagsAreReadOncePerDialogAndTheBoxCarriesToTheNextDialog)
{
    QTemporaryDir dir;
    sourceDir = dir.path();
    const QString path = dir.filePath("A-B-C.mp3");
    WriteTaggedMp3(path, Id3Names{"First", "Album", "Title"});
    open({"A-B-C.mp3"});
    EXPECT_FALSE(form->UseID3Tags);
    EXPECT_EQ(names(), QStringList{"A-B-C.mp3|A|B|C"});

    form->UseID3Tags = true;
    form->TranslateBtnClick(true);
    EXPECT_TRUE(formats.useId3Tags);
    WriteTaggedMp3(path, Id3Names{"Second", "Album", "Title"});
    form->TranslateBtnClick(true);
    EXPECT_EQ(names(), QStringList{"A-B-C.mp3|First|Album|Title"});

    open({"A-B-C.mp3"});
    EXPECT_TRUE(form->UseID3Tags);
    EXPECT_EQ(names(), QStringList{"A-B-C.mp3|Second|Album|Title"});
}

TEST_F(ImportForm, AddRefusesATagValueThatACatalogLineCannotStore)
{
    QTemporaryDir dir;
    sourceDir = dir.path();
    WriteTaggedMp3(dir.filePath("A-B-C.mp3"), Id3Names{"AC;DC", "", ""});
    formats.useId3Tags = true;
    open({"A-B-C.mp3"});
    form->OkBtnClick();
    EXPECT_EQ(dialogs.textsAsked(), QStringList{"The names of A-B-C.mp3 hold a \";\" or a line break, which a catalog line "
                                                "cannot store. Replace Chars, or a double-click on the row, can change them."});
    EXPECT_FALSE(form->Closed());
}
