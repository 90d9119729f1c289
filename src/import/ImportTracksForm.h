#pragma once
// The logic of the Import Tracks dialog: one row per MP3 file of a directory, whose name the
// format language turns into Artist, Album and Track. The user may take Artist and Album from the
// directory name, force them for all rows, replace characters in all names and edit single rows.
// Add hands the rows to the import, Skip passes the directory over, Stop ends the import.
//
// The form keeps each row's file name and columns itself and shows their joined text in Tracks:
// a file name or a value that begins with a double quote, or a row cut at 255 characters, is
// therefore never read back from the row text.

#include "app/DialogForm.h"
#include "import/Id3Tags.h"
#include "import/ImportFormats.h"
#include "import/NameTranslation.h"
#include "list/TextRowList.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The names a row gives the catalog, trimmed as the catalog reader trims its fields.
struct ImportedNames {
    QString fileName;  // as found in the directory
    ShortStr artist, album, track;
};

class ImportTracksForm : public DialogForm {
public:
    // Choice after closing; Stop is also the choice of a window closed by its close box.
    static constexpr int AddChoice = 1;
    static constexpr int StopChoice = 2;
    static constexpr int SkipChoice = 5;

    // remembered: the formats of the program run, taken when the dialog comes up and stored at
    // every translation. fileNames: the files of the directory, one row each, in this order.
    ImportTracksForm(Dialogs &dialogs, ImportFormats &remembered, const QStringList &fileNames);

    // The window's title; the import names the directory in it.
    QString Caption = "Import Tracks";
    // The rows as shown, multi-select; the view keeps the current and selected rows here and
    // never reorders the rows, which stay in step with the form's own.
    TextRowList Tracks{true};
    // The texts of the combo boxes and edits.
    ShortStr Format, PathFormat, ForceArtist, ForceAlbum;
    // The combo boxes' items; a format translated with grows them for the dialog's lifetime.
    std::vector<ShortStr> FormatItems, PathFormatItems;
    // The batch's directory relative to the source root, "\" after each directory name; empty for
    // the source root. Set by the import before the dialog is shown.
    ShortStr ImportDir;
    // The full path of the batch's directory, where the rows' files are; set by the import.
    QString SourceDir;
    // "Use ID3 tags": a translation takes Artist, Album and Track from the files' tags where
    // they hold a value, Force Artist and Force Album still winning.
    bool UseID3Tags = false;

    // The dialog comes up: the remembered formats and Use ID3 tags, then all rows translated.
    void FormActivate();
    // Translates all rows ("Trans. All"), or the selected ones only.
    void TranslateBtnClick(bool all);
    void FormatSelBtnClick() { TranslateBtnClick(false); }
    // Edits the current row's Artist, Album and Track.
    void TracksDblClick();
    // Replaces a text by another in every row's Artist, Album and Track.
    void ReplaceBtnClick();
    // Closes with Add when every row can be stored and has a Track; asks when Artists or Albums
    // are blank.
    void OkBtnClick();
    void SkipBtnClick() { Close(SkipChoice); }
    void CancelBtnClick() { Close(StopChoice); }

    // The rows' names in row order, for the import after Add.
    std::vector<ImportedNames> RowNames() const;

private:
    struct Row {
        QString fileName;
        ShortStr shownName;  // the file name as the row text and the translation take it
        NameColumns columns;
        std::optional<Id3Names> tags;  // read at the first translation that uses them
    };
    void setColumns(int row, const NameColumns &columns);
    void takeTags(Row &row, NameColumns &columns);

    ImportFormats &remembered_;
    std::vector<Row> rows_;
};
