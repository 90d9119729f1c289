#include "import/ImportTracksForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TaggedMp3.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

inline void PrintTo(const QString &s, std::ostream *os) { *os << s.toStdString(); }

namespace {
const QString Unstorable = "The names of A-B-C.mp3 hold a \";\" or a line break, which a catalog line cannot store. "
                           "Replace Chars, or a double-click on the row, can change them.";

struct ImportForm : ::testing::Test {
    ScriptedDialogs dialogs;
    ImportFormats formats;
    QTemporaryDir dir;  // the source directory, for tagged files
    QString sourceDir = dir.path();
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
    struct Case { QString search, replacement; QStringList rows; };
    const QString blue = "Blue_Fox-Rain_Song.mp3\t  Blue_Fox\t  Rain_Song\t ", xy = "x-y.mp3\t  x\t  y\t ";
    const Case cases[] = {
        {"_", " ", {"Blue_Fox-Rain_Song.mp3\t  Blue Fox\t  Rain Song\t ", xy}},
        {QString(), "", {blue, xy}}, {"_", QString(), {blue, xy}}, {"", "z", {blue, xy}},
        {"  y", "", {blue, "x-y.mp3\t  x\t \t "}},
    };
    const QStringList prompts{"Replace Chars|Enter Search Char :", "Replace Chars|Enter Replace Char :"};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.search.toStdString() + "->" + c.replacement.toStdString());
        open({"Blue_Fox-Rain_Song.mp3", "x-y.mp3"});
        dialogs.texts = {c.search, c.replacement};
        form->ReplaceBtnClick();
        EXPECT_EQ(rows(), c.rows);
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

TEST_F(ImportForm, AddChecksTheRowsBeforeItCloses)
{
    const QString question = "Not all Artist, Album && Track Names are filled. Are you sure ?";
    struct Case { const char *what; QStringList files; const char *forceArtist; std::deque<int> answers; QString asked; int choice; };
    const Case cases[] = {
        {"all filled", {"A-B-C.mp3"}, "", {}, "", 1},
        {"blank track", {"A-B-C.mp3", "B-C.mp3", "C.mp3"}, "", {}, "All tracks must have a track name !", 2},
        {"blank artist, yes", {"A-B-C.mp3"}, " ", {mrYes}, question, 1},
        {"blank artist, no", {"A-B-C.mp3"}, " ", {mrNo}, question, 2},
        {"\";\" before blank tracks", {"A-B-C.mp3", "B-C.mp3"}, "AC;DC", {}, Unstorable, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        open(c.files);
        form->ForceArtist = c.forceArtist;
        form->TranslateBtnClick(true);
        dialogs.results = c.answers;
        bool closed = false;
        form->OnClose = [&] { closed = true; };
        form->OkBtnClick();
        EXPECT_EQ(dialogs.textsAsked().join('\n'), c.asked);
        EXPECT_EQ(closed, c.choice == 1);
        EXPECT_EQ(form->Choice(), c.choice);
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
    WriteTaggedMp3(dir.filePath("a-b-c.mp3"), Id3Names{"Owl", " ", "Moon"});
    WriteTaggedMp3(dir.filePath("d-e-f.mp3"), std::nullopt);
    WriteTaggedMp3(dir.filePath("g-h-i.mp3"), std::nullopt, Id3Names{"V1 Artist", "V1 Album", "V1 Title"});
    struct Case { const char *what; bool useTags; bool withSourceDir; const char *forceArtist; QStringList names; };
    const QStringList untagged{"a-b-c.mp3|a|b|c", "d-e-f.mp3|d|e|f", "g-h-i.mp3|g|h|i"};
    const Case cases[] = {
        {"box off", false, true, "", untagged},
        {"box on", true, true, "", {"a-b-c.mp3|Owl|b|Moon", "d-e-f.mp3|d|e|f", "g-h-i.mp3|V1 Artist|V1 Album|V1 Title"}},
        {"box on, Force Artist", true, true, "F", {"a-b-c.mp3|F|b|Moon", "d-e-f.mp3|F|e|f", "g-h-i.mp3|F|V1 Album|V1 Title"}},
        {"box on, no source directory", true, false, "", untagged},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        sourceDir = c.withSourceDir ? dir.path() : QString();
        open({"a-b-c.mp3", "d-e-f.mp3", "g-h-i.mp3"});
        form->UseID3Tags = c.useTags;
        form->ForceArtist = c.forceArtist;
        form->TranslateBtnClick(true);
        EXPECT_EQ(names(), c.names);
    }
}

// The formats and the tag box are remembered for the next dialog; tags are read once per dialog.
TEST_F(ImportForm, TheNextDialogTakesTheRememberedSettingsAndRereadsTheTags)
{
    const QString path = dir.filePath("07 Rain.mp3");
    WriteTaggedMp3(path, Id3Names{"", "First", ""});
    open({"07 Rain.mp3"});
    EXPECT_EQ(names(), QStringList{"07 Rain.mp3|07 Rain||"});
    form->Format = "Track";
    form->PathFormat = "Artist-Album";
    form->UseID3Tags = true;
    form->TranslateBtnClick(true);
    WriteTaggedMp3(path, Id3Names{"", "Second", ""});
    form->TranslateBtnClick(true);
    EXPECT_EQ(names(), QStringList{"07 Rain.mp3||First|07 Rain"});

    open({"07 Rain.mp3"}, "Pop\\Blue Fox-Night Songs\\");
    EXPECT_EQ(names(), QStringList{"07 Rain.mp3|Blue Fox|Second|07 Rain"});
}
