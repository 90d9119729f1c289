#pragma once
// Passes every dialog on to the real ones and first appends one line for it to a log file:
// kind, "|", and the title, caption or text that identifies it. Black-box tests read the log to
// see from outside what the program asked; with no log file named it only passes on.

#include "app/Dialogs.h"

class LoggingDialogs : public Dialogs {
public:
    // logPath: the file to append to; empty for none.
    LoggingDialogs(Dialogs &shown, const QString &logPath) : shown_(shown), logPath_(logPath) {}

    int MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons) override;
    int MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                        MsgDlgBtn focus) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    QString OpenFileName(const QString &title, const QString &filter, const QString &defaultExt,
                         const QString &initialDir) override;
    QString SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                         const QString &initialDir, bool confirmOverwrite) override;
    // Logged when the view appears, which a short task's never does.
    std::unique_ptr<ProgressView> Progress(const QString &title, int total) override;
    void EditTrack(EditTrackForm &form) override;
    void Setup(SetupForm &form) override;
    void SelectPath(SelDirForm &form) override;
    void ImportTracks(ImportTracksForm &form) override;
    void ImportInfo(ImportInfoForm &form) override;

private:
    // Written when the dialog is shown, before it waits for an answer.
    void log(const QString &kind, const QString &text) const;

    Dialogs &shown_;
    QString logPath_;
};
