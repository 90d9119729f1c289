#pragma once
// The logic of the Select Path dialog: a drive list of "/" and every mounted volume, and the
// directory tree of the chosen volume with its current directory. A volume that cannot be read
// is not ready: its tree stays empty, no message is shown, and the chosen path is its mount
// point.

#include "app/DialogForm.h"
#include "app/Dialogs.h"

#include <QString>
#include <QStringList>
#include <vector>

class MountedVolumes;

class SelDirForm : public DialogForm {
public:
    static constexpr const char *Caption = "Select Path";

    // Starts at the current directory of the process.
    SelDirForm(Dialogs &dialogs, MountedVolumes &volumes);

    // The entries of the drive list: "/" first, then the other mount points.
    QStringList Drives() const;
    int DriveIndex() const { return drive_; }
    bool DriveReady() const { return driveReady_; }
    // The current directory of the tree; empty when the drive is not ready.
    QString Dirs() const { return dirs_; }

    // Starts at path on the volume that holds it; a path that is not a directory starts at the
    // current directory of the process instead.
    void SetStartPath(const QString &path);
    // The user picked another drive: the tree shows its root.
    void DriveComboBox1Change(int index);
    // The user chose a directory in the tree of the current drive.
    void DirsChange(const QString &dir);
    // The user typed a path: the drive becomes the volume that holds it and the tree moves
    // there. False, and nothing changed, when the path is not a directory.
    bool GoToPath(const QString &path);
    // The current directory when the drive is ready, else the drive's mount point.
    QString GetChosenPath() const;

    void BitBtn1Click() { Close(mrOk); }
    void BitBtn2Click() { Close(mrCancel); }

private:
    struct Drive {
        QString root;
        bool ready = false;
    };
    // The drive whose mount point is the longest leading part of an absolute, clean path.
    int DriveHolding(const QString &path) const;
    // Selects the drive and points the tree at dir; DriveReady tells whether that worked.
    void PointAt(int drive, const QString &dir);

    std::vector<Drive> drives_;
    int drive_ = 0;
    bool driveReady_ = false;
    QString dirs_;
};

// Shows the Select Path dialog, starting at path when it is not empty; true and path replaced
// by the choice (cut to what a configuration value holds) when the user confirms.
bool SelectDir(Dialogs &dialogs, MountedVolumes &volumes, QString &path);
