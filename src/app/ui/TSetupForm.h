#pragma once
// The Setup dialog: the CD path list with Add, Change and Delete, the external player with its
// browse button, and the default directories of Copy To HD and Play from HD. Its controls run
// the form's handlers and show the form's state; it closes when the form does.

#include "app/SetupForm.h"
#include "widgets/FormView.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

class TSetupForm : public FormView {
    Q_OBJECT
public:
    TSetupForm(SetupForm &form, const HandlerGuard &guard, QWidget *parent = nullptr);
    ~TSetupForm() override;

    QGroupBox *GroupBox1;
    QListWidget *CDPathList;
    QPushButton *AddPath, *ChangePath, *DelPath;
    QLabel *PlayerLabel, *CopyToHDPathLabel, *PlayFromHDPathLabel;
    QLineEdit *Player, *CopyToHDPath, *PlayFromHDPath;
    QToolButton *SpeedButton1;
    QPushButton *OkBtn, *CancelBtn;

private:
    // The list box shows the form's entries and current entry.
    void showPathList();

    SetupForm &form_;
};
