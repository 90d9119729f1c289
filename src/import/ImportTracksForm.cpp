#include "import/ImportTracksForm.h"

#include "catalog/CatalogLineFields.h"
#include "catalog/EditTrackForm.h"
#include "util/LongPaths.h"
#include "util/ShortStrings.h"

namespace {
bool IsBlank(const ShortStr &text)
{
    return TrimBlanks(text).empty();
}

// Rows are read by tabbed fields, which skip empty ones: a column keeps at least a blank.
ShortStr NonEmpty(const ShortStr &column)
{
    return column.empty() ? ShortStr(" ") : column;
}

// Formats compare as the format language reads them: only a..z fold to upper case.
void AddItemOnce(std::vector<ShortStr> &items, const ShortStr &text)
{
    const ShortStr upper = UpperCaseShort(text);
    for (const ShortStr &item : items)
        if (UpperCaseShort(item) == upper)
            return;
    items.push_back(text);
}

bool FitsCatalogLine(const NameColumns &c)
{
    return FitsLaterField(c.artist.toUtf8()) && FitsLaterField(c.album.toUtf8()) && FitsLaterField(c.track.toUtf8());
}
} // namespace

ImportTracksForm::ImportTracksForm(Dialogs &dialogs, ImportFormats &remembered, const QStringList &fileNames)
    : DialogForm(dialogs, StopChoice),
      FormatItems{"Artist-Album-Track", "Artist-Track", "Album-Track", "Track", "Artist_Album_Track", "Artist_Track",
                  "Album_Track", "Track-Album-Track", "Track-Artist-Track"},
      PathFormatItems{"Artist", "Album", "Artist-Album", "Artist_Album"},
      remembered_(remembered)
{
    rows_.reserve(fileNames.size());
    for (const QString &fileName : fileNames) {
        const ShortStr shown = ShortStr::fromQString(fileName);
        rows_.push_back({fileName, shown, {" ", " ", " "}, std::nullopt});
        Tracks.append(shown);
    }
}

void ImportTracksForm::setColumns(int row, const NameColumns &columns)
{
    Row &r = rows_[row];
    r.columns = columns;
    Tracks.setRowText(row, RowText(r.shownName, columns));
}

void ImportTracksForm::FormActivate()
{
    Format = remembered_.fileNameFormat;
    PathFormat = remembered_.pathFormat;
    UseID3Tags = remembered_.useId3Tags;
    TranslateBtnClick(true);
}

// Tags are read once per dialog: a file is read only when its row is translated with them.
void ImportTracksForm::takeTags(Row &row, NameColumns &columns)
{
    if (!row.tags)
        row.tags = SourceDir.isEmpty() ? Id3Names{} : ReadId3Names(WithTrailingSeparator(SourceDir) + row.fileName);
    const auto take = [](ShortStr &column, const QString &tagged) {
        const ShortStr value = ShortStr::fromQString(tagged);
        if (!IsBlank(value))
            column = value;
    };
    if (ForceArtist.empty())
        take(columns.artist, row.tags->artist);
    if (ForceAlbum.empty())
        take(columns.album, row.tags->album);
    take(columns.track, row.tags->title);
}

void ImportTracksForm::TranslateBtnClick(bool all)
{
    remembered_.fileNameFormat = Format;
    remembered_.pathFormat = PathFormat;
    remembered_.useId3Tags = UseID3Tags;
    const CompiledPattern pattern = CompilePattern(Format);
    const PathValues path = MatchPathFormat(ImportDir, CompilePattern(PathFormat));
    AddItemOnce(FormatItems, Format);
    AddItemOnce(PathFormatItems, PathFormat);
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        if (!all && !Tracks.isSelected(row))
            continue;
        NameColumns columns = TranslateRow(rows_[row].shownName, pattern, path, ForceArtist, ForceAlbum);
        if (UseID3Tags)
            takeTags(rows_[row], columns);
        setColumns(row, columns);
    }
}

void ImportTracksForm::TracksDblClick()
{
    const int row = Tracks.currentRow();
    if (row < 0)
        return;
    const Row &r = rows_[row];
    // Shown trimmed: the leading blanks of a translated column mean nothing to the catalog.
    TrackTexts texts{r.fileName, TrimBlanks(r.columns.artist).toQString(), TrimBlanks(r.columns.album).toQString(),
                     TrimBlanks(r.columns.track).toQString()};
    if (!EditTrackDialog(dialogs_, texts))
        return;
    setColumns(row, {NonEmpty(ShortStr::fromQString(texts.artist)), NonEmpty(ShortStr::fromQString(texts.album)),
                     NonEmpty(ShortStr::fromQString(texts.track))});
    Tracks.setSelected(row, true);
    Tracks.setCurrentRow(row);
}

void ImportTracksForm::ReplaceBtnClick()
{
    QString search, replacement;
    if (!dialogs_.InputQuery("Replace Chars", "Enter Search Char :", search))
        return;
    if (!dialogs_.InputQuery("Replace Chars", "Enter Replace Char :", replacement))
        return;
    if (search.isEmpty())
        return;
    const ShortStr from = ShortStr::fromQString(search), to = ShortStr::fromQString(replacement);
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        NameColumns columns = rows_[row].columns;
        for (ShortStr *column : {&columns.artist, &columns.album, &columns.track}) {
            ReplaceAllText(*column, from, to);
            *column = NonEmpty(*column);
        }
        setColumns(row, columns);
    }
}

void ImportTracksForm::OkBtnClick()
{
    // A ";" would split the catalog line into more fields than it has, which then reads back
    // wrongly; no answer to the question below could make such a row storable.
    for (const Row &r : rows_) {
        if (!FitsCatalogLine(r.columns)) {
            dialogs_.ShowError("The names of " + r.fileName +
                               " hold a \";\" or a line break, which a catalog line cannot store. "
                               "Replace Chars, or a double-click on the row, can change them.");
            return;
        }
    }
    bool allFilled = true, tracksPresent = true;
    for (const Row &r : rows_) {
        if (IsBlank(r.columns.artist) || IsBlank(r.columns.album))
            allFilled = false;
        if (IsBlank(r.columns.track)) {
            allFilled = tracksPresent = false;
            break;
        }
    }
    if (!tracksPresent) {
        dialogs_.ShowError("All tracks must have a track name !");
        return;
    }
    if (!allFilled
        && dialogs_.MessageBox(MsgDlgType::Confirmation,
                               "Not all Artist, Album && Track Names are filled. Are you sure ?",
                               ButtonSet({mbYes, mbNo}))
               != mrYes)
        return;
    Close(AddChoice);
}

std::vector<ImportedNames> ImportTracksForm::RowNames() const
{
    std::vector<ImportedNames> names;
    names.reserve(rows_.size());
    for (const Row &r : rows_)
        names.push_back({r.fileName, TrimBlanks(r.columns.artist), TrimBlanks(r.columns.album), TrimBlanks(r.columns.track)});
    return names;
}
