#pragma once
// A Dialogs implementation for tests: records every question and answers from a script.

#include "app/Dialogs.h"

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

class ScriptedDialogs : public Dialogs {
public:
    // Scripted answers, consumed in order. A modal result for message boxes, a text for input
    // and file dialogs (empty text: cancelled), new texts for Edit Track.
    std::deque<int> results;
    std::deque<QString> texts;
    std::deque<TrackTexts> editedTracks;  // an absent entry means Cancel

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
    int nextResult(int fallback);
};
