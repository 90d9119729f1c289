#pragma once
// The "Import new Tracks" dialog: the CD ID, the source directory with the CD paths as its items,
// and whether sub-directories are searched. The controls hand their texts to the form before
// Start; Escape and the close box cancel. It closes when the form does.

#include "import/ImportInfoForm.h"
#include "widgets/FormView.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

class TImportInfo : public FormView {
    Q_OBJECT
public:
    TImportInfo(ImportInfoForm &form, const HandlerGuard &guard, QWidget *parent = nullptr);
    ~TImportInfo() override;

    QLabel *CDNumLabel, *SourceLabel;
    QLineEdit *CDNum;
    QComboBox *Source;
    QCheckBox *SubDirs;
    QPushButton *BitBtn1, *BitBtn2;

protected:
    void reject() override;

private:
    ImportInfoForm &form_;
};
