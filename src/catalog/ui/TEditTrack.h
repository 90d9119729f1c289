#pragma once
// The Edit Track dialog: the file name (read-only) and the Artist, Album and Track of one track.
// Its buttons run the form's handlers; it closes when the form does.

#include "catalog/EditTrackForm.h"
#include "widgets/FormView.h"

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class TEditTrack : public FormView {
    Q_OBJECT
public:
    TEditTrack(EditTrackForm &form, const HandlerGuard &guard, QWidget *parent = nullptr);
    ~TEditTrack() override;

    QFrame *Panel1;
    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *FileName, *Artist, *Album, *Track;
    QPushButton *OkBtn, *CancelBtn;

private:
    // The texts of the edits, each cut to what a short string holds.
    TrackTexts texts() const;

    EditTrackForm &form_;
};
