#include "widgets/QtDialogs.h"

#include "app/MessageTexts.h"
#include "app/ui/TSelDir.h"
#include "app/ui/TSetupForm.h"
#include "catalog/ui/TEditTrack.h"
#include "import/ui/TImportInfo.h"
#include "import/ui/TImportTracks.h"
#include "util/DefaultExtension.h"
#include "util/LongPaths.h"
#include "widgets/QtProgressView.h"
#include "widgets/TMessageForm.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

namespace {
// Qt's standard button for each of the program's buttons, by button index.
const QMessageBox::StandardButton kStandardButtons[MessageButtonCount] = {
    QMessageBox::Yes,   QMessageBox::No,     QMessageBox::Ok,       QMessageBox::Cancel, QMessageBox::Abort,
    QMessageBox::Retry, QMessageBox::Ignore, QMessageBox::YesToAll, QMessageBox::Help,
};

// Shows the view of a form modally; the view closes itself when the form closes.
template <class View, class Form>
void ShowModal(Form &form, const HandlerGuard &guard, QWidget *parent)
{
    View dialog(form, guard, parent);
    dialog.exec();
}

// Each message box is titled by its kind, like the classic message dialogs.
QString BoxTitle(MsgDlgType type)
{
    const QString title = MessageTitle(type);
    return title.isEmpty() ? QApplication::applicationName() : title;
}
} // namespace

int QtDialogs::MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons)
{
    QMessageBox box(parent_);
    box.setWindowTitle(BoxTitle(type));
    box.setTextFormat(Qt::PlainText);
    box.setText(ShownMessageText(text));
    switch (type) {
    case MsgDlgType::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgDlgType::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgDlgType::Information: box.setIcon(QMessageBox::Information); break;
    case MsgDlgType::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgDlgType::Custom: break;
    }
    QMessageBox::StandardButtons set;
    for (int i = 0; i < MessageButtonCount; ++i)
        if (HasButton(buttons, static_cast<MsgDlgBtn>(i)))
            set |= kStandardButtons[i];
    box.setStandardButtons(set);
    const int pressed = box.exec();
    for (int i = 0; i < MessageButtonCount; ++i)
        if (pressed == kStandardButtons[i])
            return MessageButtons[i].modalResult;
    return HasButton(buttons, mbCancel) ? mrCancel : mrNone;
}

int QtDialogs::MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                               MsgDlgBtn focus)
{
    return ::MessageDlgFocus(text, type, buttons, helpContext, focus, parent_);
}

bool QtDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = text;
    return ok;
}

QString QtDialogs::OpenFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                const QString &initialDir)
{
    // Any name is accepted, so that a typed name without its extension can still be completed.
    QFileDialog dialog(parent_, title, initialDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return WithDefaultExtension(dialog.selectedFiles().first(), defaultExt);
}

QString QtDialogs::SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                const QString &initialDir, bool confirmOverwrite)
{
    QFileDialog dialog(parent_, title, initialDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The question before replacing a file is asked here, as a message box like every other.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(defaultExt);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        const QString chosen = dialog.selectedFiles().first();
        if (!confirmOverwrite || !QFileInfo::exists(chosen)
            || followUp_->MessageBox(MsgDlgType::Confirmation,
                                     FileNamePartOf(chosen) + " already exists. Do you want to replace it ?",
                                     ButtonSet({mbYes, mbNo}))
                   == mrYes)
            return chosen;
        dialog.selectFile(chosen);
    }
}

std::unique_ptr<ProgressView> QtDialogs::Progress(const QString &title, int total)
{
    return std::make_unique<QtProgressView>(parent_, title, total);
}

void QtDialogs::EditTrack(EditTrackForm &form)
{
    ShowModal<TEditTrack>(form, *guard_, parent_);
}

void QtDialogs::Setup(SetupForm &form)
{
    ShowModal<TSetupForm>(form, *guard_, parent_);
}

void QtDialogs::SelectPath(SelDirForm &form)
{
    ShowModal<TSelDir>(form, *guard_, parent_);
}

void QtDialogs::ImportTracks(ImportTracksForm &form)
{
    ShowModal<TImportTracks>(form, *guard_, parent_);
}

void QtDialogs::ImportInfo(ImportInfoForm &form)
{
    ShowModal<TImportInfo>(form, *guard_, parent_);
}
