#pragma once
// The dialogs of the tests: every dialog is recorded, every question is answered from a script,
// and a question that nothing was scripted for fails the test. Notices with only an OK button
// need no script (there is nothing to decide); tests check them through `asked`.

#include "app/NullDialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class DialogForm;

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
    // Scripted answers, consumed in order: a modal result for message boxes, a text for input
    // and file dialogs (a null QString: cancelled), and for each form shown a callable that
    // presses its buttons until it closes.
    std::deque<int> results;
    std::deque<QString> texts;
    std::deque<std::function<void(DialogForm &)>> forms;

    // A callable for `forms` that presses buttons on a form of the given kind.
    template <class Form>
    void onForm(std::function<void(Form &)> press)
    {
        forms.push_back([press](DialogForm &shown) {
            if (auto *form = dynamic_cast<Form *>(&shown))
                press(*form);
            else
                FailOtherForm();
        });
    }
    // Edit Track closed with Ok and these texts, or with Cancel when the artist is null.
    void answerEditTrack(const TrackTexts &texts);

    // Progress views need no script: each records its title, then "done/total name" for every item
    // started; once cancelProgressAfter items have started the view asks to stop. Views report
    // themselves shown when progressShown is set.
    QStringList progress;
    int cancelProgressAfter = -1;
    bool progressShown = false;

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
    std::unique_ptr<ProgressView> Progress(const QString &title, int total) override;
    void EditTrack(EditTrackForm &form) override;
    // Recorded with the caption; Select Path with the directory it opens at.
    void Setup(SetupForm &form) override;
    void SelectPath(SelDirForm &form) override;
    // Recorded with the caption.
    void ImportTracks(ImportTracksForm &form) override;
    void ImportInfo(ImportInfoForm &form) override;

private:
    static void FailOtherForm();
    // Runs the next scripted callable on a form; the form must be closed afterwards.
    void present(DialogForm &form, const AskedDialog &dialog);
    // Fails the running test when the script holds no answer for this dialog.
    static bool Scripted(bool present, const AskedDialog &dialog);
    QString nextText(const AskedDialog &dialog);
};
