#include "app/LoggingDialogs.h"

#include "app/MessageTexts.h"
#include "app/ProgressView.h"
#include "app/SelDirForm.h"
#include "app/SetupForm.h"
#include "catalog/EditTrackForm.h"
#include "import/ImportInfoForm.h"
#include "import/ImportTracksForm.h"

#include <QFile>

#include <functional>
#include <utility>

namespace {
// Passes on to the real view and calls `appeared` once, when that view is first shown.
class LoggedProgress : public ProgressView {
public:
    LoggedProgress(std::unique_ptr<ProgressView> shown, std::function<void()> appeared)
        : shown_(std::move(shown)), appeared_(std::move(appeared)) {}

    void setProgress(int done, const QString &name) override
    {
        shown_->setProgress(done, name);
        noticeAppearance();
    }
    void keepResponsive() override
    {
        shown_->keepResponsive();
        noticeAppearance();
    }
    bool cancelRequested() const override { return shown_->cancelRequested(); }
    bool shown() const override { return shown_->shown(); }

private:
    void noticeAppearance()
    {
        if (appeared_ && shown_->shown())
            std::exchange(appeared_, nullptr)();
    }

    std::unique_ptr<ProgressView> shown_;
    std::function<void()> appeared_;
};
} // namespace

void LoggingDialogs::log(const QString &kind, const QString &text) const
{
    if (logPath_.isEmpty())
        return;
    QFile file(logPath_);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append))
        file.write((kind + "|" + text + "\n").toUtf8());
}

int LoggingDialogs::MessageBox(MsgDlgType type, const QString &text, MsgDlgButtons buttons)
{
    log("MessageBox:" + MessageTitle(type), text);
    return shown_.MessageBox(type, text, buttons);
}

int LoggingDialogs::MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                                    MsgDlgBtn focus)
{
    log("MessageDlgFocus", text);
    return shown_.MessageDlgFocus(text, type, buttons, helpContext, focus);
}

bool LoggingDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    log("InputQuery", caption);
    return shown_.InputQuery(caption, prompt, value);
}

QString LoggingDialogs::OpenFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                     const QString &initialDir)
{
    log("OpenFileName", title);
    return shown_.OpenFileName(title, filter, defaultExt, initialDir);
}

QString LoggingDialogs::SaveFileName(const QString &title, const QString &filter, const QString &defaultExt,
                                     const QString &initialDir, bool confirmOverwrite)
{
    log("SaveFileName", title);
    return shown_.SaveFileName(title, filter, defaultExt, initialDir, confirmOverwrite);
}

std::unique_ptr<ProgressView> LoggingDialogs::Progress(const QString &title, int total)
{
    return std::make_unique<LoggedProgress>(shown_.Progress(title, total), [this, title] { log("Progress", title); });
}

void LoggingDialogs::EditTrack(EditTrackForm &form)
{
    log("EditTrack", form.texts.fileName);
    shown_.EditTrack(form);
}

void LoggingDialogs::Setup(SetupForm &form)
{
    log("Setup", SetupForm::Caption);
    shown_.Setup(form);
}

void LoggingDialogs::SelectPath(SelDirForm &form)
{
    log("SelectPath", SelDirForm::Caption);
    shown_.SelectPath(form);
}

void LoggingDialogs::ImportTracks(ImportTracksForm &form)
{
    log("ImportTracks", form.Caption);
    shown_.ImportTracks(form);
}

void LoggingDialogs::ImportInfo(ImportInfoForm &form)
{
    log("ImportInfo", ImportInfoForm::Caption);
    shown_.ImportInfo(form);
}
