#pragma once
// The Import Tracks dialog: the files of one directory with the Artist, Album and Track their
// names give, the formats and forced values that give them, and the buttons of the form. Before
// each handler the controls' texts go to the form; after it the controls show the form's texts
// and items again. The list shows the form's rows directly. It closes when the form does.

#include "import/ImportTracksForm.h"
#include "widgets/FormView.h"

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class THeader;
class TTabListBox;

class TImportTracks : public FormView {
    Q_OBJECT
public:
    TImportTracks(ImportTracksForm &form, const HandlerGuard &guard, QWidget *parent = nullptr);
    ~TImportTracks() override;

    THeader *Header1;
    TTabListBox *Tracks;
    QLabel *FormatLabel, *PathFormatLabel, *ForceArtistLabel, *ForceAlbumLabel;
    QComboBox *Format, *PathFormat;
    QLineEdit *ForceArtist, *ForceAlbum;
    QPushButton *TranslateBtn, *FormatSelBtn, *ReplaceBtn, *OkBtn, *SkipBtn, *CancelBtn;
    // Toggling it translates all rows, as "Trans. All" does.
    QCheckBox *UseID3Tags;
    QPlainTextEdit *Memo1;

    // Escape and the close box stop the import, as Stop does.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Runs a handler of the form guarded, between handing over and showing again the texts.
    void run(const std::function<void()> &handler);
    void takeTexts();
    void showTexts();

    ImportTracksForm &form_;
    bool activated_ = false;
};
