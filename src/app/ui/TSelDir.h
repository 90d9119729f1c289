#pragma once
// The Select Path dialog: the drive list, the directory tree of the chosen drive, and a path
// edit that shows the current directory and takes a typed one (Return moves the tree there; a
// second Return on the same directory confirms). Every rule is the form's.

#include "app/SelDirForm.h"
#include "widgets/FormView.h"

class QComboBox;
class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;

class TSelDir : public FormView {
    Q_OBJECT
public:
    TSelDir(SelDirForm &form, const HandlerGuard &guard, QWidget *parent = nullptr);
    ~TSelDir() override;

    QComboBox *DriveComboBox1;
    QTreeView *Dirs;
    QLineEdit *PathEdit;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The controls show the form's drive, tree and current directory.
    void showState();
    void pathTyped();

    SelDirForm &form_;
    QFileSystemModel *tree_;
    bool followCurrentDirectory_ = false;
};
