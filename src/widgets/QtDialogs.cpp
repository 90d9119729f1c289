#include "widgets/QtDialogs.h"

#include "catalog/ui/TEditTrack.h"
#include "widgets/TMessageForm.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace {
struct ButtonMap {
    MsgDlgBtn button;
    QMessageBox::StandardButton standard;
    int result;
};
const ButtonMap kButtons[] = {
    {mbYes, QMessageBox::Yes, mrYes},       {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},          {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort}, {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore}, {mbAll, QMessageBox::YesToAll, mrAll},
    {mbHelp, QMessageBox::Help, mrNone},
};

} // namespace

int QtDialogs::MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons)
{
    QMessageBox box(parent_);
    box.setWindowTitle(DialogTitle(type));
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (type) {
    case MsgDlgType::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgDlgType::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgDlgType::Information: box.setIcon(QMessageBox::Information); break;
    case MsgDlgType::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgDlgType::Custom: break;
    }
    QMessageBox::StandardButtons set;
    for (const auto &b : kButtons)
        if (buttons & (1u << b.button))
            set |= b.standard;
    box.setStandardButtons(set);
    const int pressed = box.exec();
    for (const auto &b : kButtons)
        if (pressed == b.standard)
            return b.result;
    return (buttons & (1u << mbCancel)) ? mrCancel : mrNone;
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

QString QtDialogs::OpenFileName(const QString &title, const QString &filter, const QString &,
                                const QString &initialDir)
{
    return QFileDialog::getOpenFileName(parent_, title, initialDir, filter);
}

QString QtDialogs::SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                const QString &initialDir, bool confirmOverwrite)
{
    QFileDialog dialog(parent_, title, initialDir, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !confirmOverwrite);
    dialog.setDefaultSuffix(defaultExt);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().first()
                                                                                  : QString();
}

bool QtDialogs::EditTrack(TrackTexts &texts)
{
    return EditTrackDialog(parent_, texts);
}
