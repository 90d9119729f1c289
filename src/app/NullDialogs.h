#pragma once
// Dialogs that nobody answers: every box is closed the way that changes nothing (Cancel, else No,
// else OK), every prompt and file dialog is cancelled. Benchmarks run on it; the tests' scripted
// dialogs build on it.

#include "app/Dialogs.h"
#include "app/ProgressView.h"

class NullDialogs : public Dialogs {
public:
    int MessageBox(MsgDlgType, const QString &, MsgDlgButtons buttons) override { return ClosedResult(buttons); }
    int MessageDlgFocus(const QString &, MsgDlgType, MsgDlgButtons buttons, int, MsgDlgBtn) override
    {
        return ClosedResult(buttons);
    }
    bool InputQuery(const QString &, const QString &, QString &) override { return false; }
    QString OpenFileName(const QString &, const QString &, const QString &, const QString &) override { return {}; }
    QString SaveFileName(const QString &, const QString &, const QString &, const QString &, bool) override
    {
        return {};
    }
    std::unique_ptr<ProgressView> Progress(const QString &, int) override { return std::make_unique<HiddenProgress>(); }
    void EditTrack(EditTrackForm &) override {}
    void Setup(SetupForm &) override {}
    void SelectPath(SelDirForm &) override {}
    void ImportTracks(ImportTracksForm &) override {}
    void ImportInfo(ImportInfoForm &) override {}

    static int ClosedResult(MsgDlgButtons buttons)
    {
        if (buttons & ButtonSet({mbCancel}))
            return mrCancel;
        return (buttons & ButtonSet({mbNo})) ? mrNo : mrOk;
    }
};
