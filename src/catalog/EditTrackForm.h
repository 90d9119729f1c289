#pragma once
// The logic of the Edit Track dialog: the texts it shows and takes back, and the rule behind its
// Ok button. The dialog that presents it stays open while the texts are refused.

#include "app/Dialogs.h"
#include "app/DialogForm.h"

class EditTrackForm : public DialogForm {
public:
    EditTrackForm(Dialogs &dialogs, const TrackTexts &texts);

    // What the edits hold; the file name is shown only.
    TrackTexts texts;

    // Closes with Ok, unless a text could not be stored in a catalog line: then the user is told
    // and the dialog stays open for the correction.
    void OkBtnClick();
    void CancelBtnClick() { Close(mrCancel); }
};

// Shows the Edit Track dialog; true and the texts replaced when it was closed with Ok.
bool EditTrackDialog(Dialogs &dialogs, TrackTexts &texts);
