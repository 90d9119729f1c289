#include "catalog/EditTrackForm.h"

#include "catalog/TypedTexts.h"

EditTrackForm::EditTrackForm(Dialogs &dialogs, const TrackTexts &shown) : DialogForm(dialogs, mrCancel), texts(shown)
{
}

void EditTrackForm::OkBtnClick()
{
    const QString problem = CheckTrackTexts(texts);
    if (!problem.isEmpty()) {
        dialogs_.ShowError(problem);
        return;
    }
    Close(mrOk);
}

bool EditTrackDialog(Dialogs &dialogs, TrackTexts &texts)
{
    EditTrackForm form(dialogs, texts);
    dialogs.EditTrack(form);
    if (form.Choice() != mrOk)
        return false;
    texts = form.texts;
    return true;
}
