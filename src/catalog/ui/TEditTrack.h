#pragma once
// The Edit Track dialog: the file name (read-only) and the Artist, Album and Track of one track.

#include "app/Dialogs.h"

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TEditTrack : public QDialog {
    Q_OBJECT
public:
    explicit TEditTrack(QWidget *parent = nullptr);

    void setTexts(const TrackTexts &texts);
    // The texts of the edits, each cut to what a short string holds.
    TrackTexts texts() const;

    QFrame *Panel1;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *FileName, *Artist, *Album, *Track;
    QPushButton *OkBtn, *CancelBtn;
};

// Shows the dialog modally; true and texts replaced when the user chose Ok.
bool EditTrackDialog(QWidget *parent, TrackTexts &texts);
