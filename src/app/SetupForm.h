#pragma once
// The logic of the Setup dialog: the CD path list with its current entry, the external player's
// command line and the default directories of Copy To HD and Play from HD. Nothing here changes
// the configuration; the Setup command takes the texts when the dialog closes with OK.

#include "app/Config.h"
#include "app/DialogForm.h"
#include "app/Dialogs.h"
#include "list/TextRowList.h"

#include <QString>
#include <functional>

class MountedVolumes;

class SetupForm : public DialogForm {
public:
    static constexpr const char *Caption = "Setup for ZEMLO";

    // Shows CD paths 1 to CDPathCount, the player, the copy path and the play path.
    SetupForm(Dialogs &dialogs, MountedVolumes &volumes, const Config &config);

    // The list box's entries, one path each, and its current entry.
    TextRowList CDPathList{false};
    // What the edits hold.
    QString Player, CopyToHDPath, PlayFromHDPath;

    // Asked of the view when the path list should take the keyboard focus.
    std::function<void()> OnFocusPathList;

    // Appends a chosen directory, unless the list is full.
    void AddPathClick();
    // Chooses a new directory for the current entry, starting at its text.
    void ChangePathClick();
    // Removes the current entry when the user confirms; the entry before it becomes current.
    void DelPathClick();
    // Chooses the external player's program file.
    void SpeedButton1Click();
    void OkBtnClick() { Close(mrOk); }
    void CancelBtnClick() { Close(mrCancel); }

private:
    void FocusPathList();

    MountedVolumes &volumes_;
};
