#pragma once
// The dialogs of the tests: every dialog is recorded, every question is answered from a script,
// and a question that nothing was scripted for fails the test. Notices with only an OK button
// need no script (there is nothing to decide); tests check them through `asked`.

#include "app/NullDialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

struct AskedDialog {
    QString kind;  // "MessageBox", "MessageDlgFocus", "InputQuery", "OpenFileName", ...
    QString text;
    MsgDlgType type = MsgDlgType::Custom;
    MsgDlgButtons buttons = 0;
    int focus = -1;
    bool confirmOverwrite = false;  // file-save dialogs only
};

class ScriptedDialogs : public NullDialogs {
public:
    // Scripted answers, consumed in order. A modal result for message boxes, a text for input
    // and file dialogs (a null QString: cancelled), new texts for Edit Track (nullopt-like:
    // an entry with a null artist means Cancel).
    std::deque<int> results;
    std::deque<QString> texts;
    std::deque<TrackTexts> editedTracks;

    std::vector<AskedDialog> asked;
    QStringList defaultExts;  // of the file dialogs, in the order asked
    QStringList textsAsked() const;

    int MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons) override;
    int MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                        MsgDlgBtn focus) override;
    bool InputQuery(const QString &caption, const QString &prompt, QString &value) override;
    QString OpenFileName(const QString &title, const QString &filter, const QString &defaultExt,
                         const QString &initialDir) override;
    QString SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                         const QString &initialDir, bool confirmOverwrite) override;
    bool EditTrack(TrackTexts &texts) override;

private:
    // Fails the running test when the script holds no answer for this dialog.
    static bool Scripted(bool present, const AskedDialog &dialog);
    QString nextText(const AskedDialog &dialog);
};
