#pragma once
// The program's own message box: fixed font and English texts, and a chosen button that has
// the keyboard focus when it opens, so that Enter answers with that button.

#include "app/Dialogs.h"

#include <QDialog>

class QPushButton;

class TMessageForm : public QDialog {
    Q_OBJECT
public:
    // Builds the box; a focus button that is not in the set leaves the focus to Qt's default.
    TMessageForm(const QString &message, MsgDlgType type, MsgDlgButtons buttons, MsgDlgBtn focus,
                 QWidget *parent = nullptr);

    // The button that Escape presses; none when the set has neither Cancel, No nor OK.
    QPushButton *cancelButton() const { return cancelButton_; }

public slots:
    // The close box answers Cancel, whatever the buttons.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPushButton *cancelButton_ = nullptr;
};

// Shows the box modally and returns the modal result of the button that closed it.
int MessageDlgFocus(const QString &message, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                    MsgDlgBtn focus, QWidget *parent = nullptr);
