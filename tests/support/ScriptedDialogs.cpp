#include "support/ScriptedDialogs.h"

QStringList ScriptedDialogs::textsAsked() const
{
    QStringList out;
    for (const auto &a : asked)
        out << a.text;
    return out;
}

int ScriptedDialogs::nextResult(int fallback)
{
    if (results.empty())
        return fallback;
    int r = results.front();
    results.pop_front();
    return r;
}

int ScriptedDialogs::MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons)
{
    asked.push_back({"MessageBox", text, type, buttons, -1});
    return nextResult(buttons == ButtonSet({mbOK}) ? mrOk : mrCancel);
}

int ScriptedDialogs::MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int,
                                     MsgDlgBtn focus)
{
    asked.push_back({"MessageDlgFocus", text, type, buttons, focus});
    return nextResult(mrCancel);
}

bool ScriptedDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    asked.push_back({"InputQuery", caption + "|" + prompt, MsgDlgType::Custom, 0, -1});
    if (texts.empty() || texts.front().isNull()) {
        if (!texts.empty())
            texts.pop_front();
        return false;
    }
    value = texts.front();
    texts.pop_front();
    return true;
}

QString ScriptedDialogs::OpenFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                      const QString &)
{
    asked.push_back({"OpenFileName", title + "|" + filter, MsgDlgType::Custom, 0, -1});
    defaultExts << defaultExt;
    if (texts.empty())
        return {};
    QString t = texts.front();
    texts.pop_front();
    return t;
}

QString ScriptedDialogs::SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                      const QString &, bool confirmOverwrite)
{
    asked.push_back({"SaveFileName", title + "|" + filter, MsgDlgType::Custom, 0, -1, confirmOverwrite});
    defaultExts << defaultExt;
    if (texts.empty())
        return {};
    QString t = texts.front();
    texts.pop_front();
    return t;
}

bool ScriptedDialogs::EditTrack(TrackTexts &t)
{
    asked.push_back({"EditTrack", t.fileName, MsgDlgType::Custom, 0, -1});
    if (editedTracks.empty())
        return false;
    const TrackTexts edited = editedTracks.front();
    editedTracks.pop_front();
    t.artist = edited.artist;
    t.album = edited.album;
    t.track = edited.track;
    return true;
}
