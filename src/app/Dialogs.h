#pragma once
// Every modal interaction of the program goes through this interface. The Qt implementation
// shows the real dialogs; tests script the answers.

#include <QString>
#include <cstdint>
#include <memory>

class EditTrackForm;
class ImportInfoForm;
class ImportTracksForm;
class ProgressView;
class SelDirForm;
class SetupForm;

enum class MsgDlgType { Warning, Error, Information, Confirmation, Custom };

// Button indexes, in the order in which the program's message dialog lays them out.
enum MsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp };
using MsgDlgButtons = uint16_t;
constexpr MsgDlgButtons ButtonSet(std::initializer_list<MsgDlgBtn> buttons)
{
    MsgDlgButtons set = 0;
    for (auto b : buttons)
        set |= static_cast<MsgDlgButtons>(1u << b);
    return set;
}

enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                   mrYes = 6, mrNo = 7, mrAll = 8 };

// The texts of one track as the Edit Track dialog shows and returns them.
struct TrackTexts {
    QString fileName, artist, album, track;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The platform's standard message box; returns the modal result of the button pressed.
    virtual int MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons) = 0;
    // The program's own message dialog, opened with the focus on one chosen button.
    virtual int MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons,
                                int helpContext, MsgDlgBtn focus) = 0;
    // A one-line text prompt; false when cancelled, value unchanged then.
    virtual bool InputQuery(const QString &caption, const QString &prompt, QString &value) = 0;
    // File dialogs; an empty result means cancelled.
    virtual QString OpenFileName(const QString &title, const QString &filter,
                                 const QString &defaultExt, const QString &initialDir) = 0;
    // confirmOverwrite: ask before an existing file is chosen.
    virtual QString SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                 const QString &initialDir, bool confirmOverwrite) = 0;
    // The progress of a task over `total` items; the view closes when it is released.
    virtual std::unique_ptr<ProgressView> Progress(const QString &title, int total) = 0;
    // Dialogs with rules behind their buttons: each shows its form modally until the form closes
    // (its Choice is then the result) or the user closes the window (Choice as it was).
    virtual void EditTrack(EditTrackForm &form) = 0;
    virtual void Setup(SetupForm &form) = 0;
    virtual void SelectPath(SelDirForm &form) = 0;
    virtual void ImportTracks(ImportTracksForm &form) = 0;
    virtual void ImportInfo(ImportInfoForm &form) = 0;

    void ShowInformation(const QString &text) { MessageBox(MsgDlgType::Information, text, ButtonSet({mbOK})); }
    void ShowError(const QString &text) { MessageBox(MsgDlgType::Error, text, ButtonSet({mbOK})); }
};
