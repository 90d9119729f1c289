#pragma once
// The dialogs as the user sees them: Qt's standard boxes and the program's own dialogs.

#include "app/Dialogs.h"
#include "app/ErrorReporter.h"
#include "app/HandlerGuard.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    QtDialogs() = default;
    // It refers to itself (follow-up questions, its own guard): a copy would refer to the original.
    QtDialogs(const QtDialogs &) = delete;
    QtDialogs &operator=(const QtDialogs &) = delete;

    void setParentWindow(QWidget *parent) { parent_ = parent; }
    // The dialogs through which a dialog asks its own follow-up questions (whether to replace an
    // existing file), so that they pass the same way as every other question; these by default.
    void setFollowUpDialogs(Dialogs *followUp) { followUp_ = followUp; }
    // The guard in which the dialogs run the handlers of their forms: the core's, once there is
    // one; until then a guard that reports through these dialogs.
    void setHandlerGuard(const HandlerGuard *guard) { guard_ = guard; }

    int MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons) override;
    int MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                        MsgDlgBtn focus) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    QString OpenFileName(const QString &title, const QString &filter, const QString &defaultExt,
                         const QString &initialDir) override;
    QString SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                         const QString &initialDir, bool confirmOverwrite) override;
    std::unique_ptr<ProgressView> Progress(const QString &title, int total) override;
    void EditTrack(EditTrackForm &form) override;
    void Setup(SetupForm &form) override;
    void SelectPath(SelDirForm &form) override;
    void ImportTracks(ImportTracksForm &form) override;
    void ImportInfo(ImportInfoForm &form) override;

private:
    QWidget *parent_ = nullptr;
    Dialogs *followUp_ = this;
    DialogsErrorReporter ownErrors_{*this};
    HandlerGuard ownGuard_{ownErrors_};
    const HandlerGuard *guard_ = &ownGuard_;
};
