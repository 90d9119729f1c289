#include "support/ScriptedDialogs.h"

#include "app/SelDirForm.h"
#include "app/SetupForm.h"
#include "catalog/EditTrackForm.h"
#include "import/ImportInfoForm.h"
#include "import/ImportTracksForm.h"

#include <gtest/gtest.h>

namespace {
class ScriptedProgress : public ProgressView {
public:
    ScriptedProgress(ScriptedDialogs &dialogs, int total) : dialogs_(dialogs), total_(total) {}

    void setProgress(int done, const QString &name) override
    {
        dialogs_.progress << QString("%1/%2 %3").arg(done).arg(total_).arg(name);
        ++started_;
    }
    void keepResponsive() override {}
    bool cancelRequested() const override
    {
        return dialogs_.cancelProgressAfter >= 0 && started_ >= dialogs_.cancelProgressAfter;
    }
    bool shown() const override { return dialogs_.progressShown; }

private:
    ScriptedDialogs &dialogs_;
    int total_;
    int started_ = 0;
};
} // namespace

QStringList ScriptedDialogs::textsAsked() const
{
    QStringList out;
    for (const auto &a : asked)
        out << a.text;
    return out;
}

bool ScriptedDialogs::Scripted(bool present, const AskedDialog &dialog)
{
    if (!present)
        ADD_FAILURE() << "unscripted " << dialog.kind.toStdString() << ": " << dialog.text.toStdString();
    return present;
}

int ScriptedDialogs::MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons)
{
    asked.push_back({"MessageBox", text, type, buttons, -1});
    if (buttons == ButtonSet({mbOK}) && results.empty())
        return mrOk;
    if (!Scripted(!results.empty(), asked.back()))
        return NullDialogs::MessageBox(type, text, buttons);
    const int r = results.front();
    results.pop_front();
    return r;
}

int ScriptedDialogs::MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                                     MsgDlgBtn focus)
{
    asked.push_back({"MessageDlgFocus", text, type, buttons, focus});
    if (!Scripted(!results.empty(), asked.back()))
        return NullDialogs::MessageDlgFocus(text, type, buttons, helpContext, focus);
    const int r = results.front();
    results.pop_front();
    return r;
}

QString ScriptedDialogs::nextText(const AskedDialog &dialog)
{
    if (!Scripted(!texts.empty(), dialog))
        return {};
    const QString t = texts.front();
    texts.pop_front();
    return t;
}

bool ScriptedDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    asked.push_back({"InputQuery", caption + "|" + prompt, MsgDlgType::Custom, 0, -1});
    const QString answer = nextText(asked.back());
    if (answer.isNull())
        return false;
    value = answer;
    return true;
}

QString ScriptedDialogs::OpenFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                      const QString &)
{
    asked.push_back({"OpenFileName", title + "|" + filter, MsgDlgType::Custom, 0, -1});
    defaultExts << defaultExt;
    return nextText(asked.back());
}

QString ScriptedDialogs::SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                      const QString &, bool confirmOverwrite)
{
    asked.push_back({"SaveFileName", title + "|" + filter, MsgDlgType::Custom, 0, -1, confirmOverwrite});
    defaultExts << defaultExt;
    return nextText(asked.back());
}

std::unique_ptr<ProgressView> ScriptedDialogs::Progress(const QString &title, int total)
{
    progress << title;
    return std::make_unique<ScriptedProgress>(*this, total);
}

void ScriptedDialogs::FailOtherForm()
{
    ADD_FAILURE() << "another form was shown than the one scripted";
}

void ScriptedDialogs::present(DialogForm &form, const AskedDialog &dialog)
{
    if (!Scripted(!forms.empty(), dialog))
        return;
    const auto press = forms.front();
    forms.pop_front();
    press(form);
    if (!form.Closed())
        ADD_FAILURE() << dialog.kind.toStdString() << " left open by the script";
}

void ScriptedDialogs::answerEditTrack(const TrackTexts &answer)
{
    onForm<EditTrackForm>([answer](EditTrackForm &form) {
        if (answer.artist.isNull()) {
            form.CancelBtnClick();
            return;
        }
        form.texts.artist = answer.artist;
        form.texts.album = answer.album;
        form.texts.track = answer.track;
        form.OkBtnClick();
    });
}

void ScriptedDialogs::EditTrack(EditTrackForm &form)
{
    asked.push_back({"EditTrack", form.texts.fileName, MsgDlgType::Custom, 0, -1});
    present(form, asked.back());
}

void ScriptedDialogs::Setup(SetupForm &form)
{
    asked.push_back({"Setup", SetupForm::Caption, MsgDlgType::Custom, 0, -1});
    present(form, asked.back());
}

void ScriptedDialogs::SelectPath(SelDirForm &form)
{
    asked.push_back({"SelectPath", form.GetChosenPath(), MsgDlgType::Custom, 0, -1});
    present(form, asked.back());
}

void ScriptedDialogs::ImportTracks(ImportTracksForm &form)
{
    asked.push_back({"ImportTracks", form.Caption, MsgDlgType::Custom, 0, -1});
    present(form, asked.back());
}

void ScriptedDialogs::ImportInfo(ImportInfoForm &form)
{
    asked.push_back({"ImportInfo", ImportInfoForm::Caption, MsgDlgType::Custom, 0, -1});
    present(form, asked.back());
}
