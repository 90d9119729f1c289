#pragma once
// The logic of the "Import new Tracks" dialog, the first step of an import: the CD ID of the new
// tracks, the directory to import from (offered from the CD path list) and whether its
// sub-directories are searched too.

#include "app/DialogForm.h"

#include <QString>
#include <QStringList>

class ImportInfoForm : public DialogForm {
public:
    static constexpr const char *Caption = "Import new Tracks";
    static constexpr int CDNumMaxLength = 20;
    // Choice after closing; Cancel is also the choice of a window closed any other way.
    static constexpr int StartChoice = 1;
    static constexpr int CancelChoice = 2;

    explicit ImportInfoForm(Dialogs &dialogs) : DialogForm(dialogs, CancelChoice) {}

    // The texts of the edit and the combo box, and the combo box's items.
    QString CDNum, Source;
    QStringList SourceItems;
    bool SubDirs = true;

    // Start: closes unless the CD ID is blank or cannot be stored, or the source path is too long;
    // each is refused with a message.
    void BitBtn1Click();
    void BitBtn2Click() { Close(CancelChoice); }
};
