#include "app/LoggingDialogs.h"
#include "app/SelDirForm.h"
#include "app/SetupForm.h"
#include "catalog/EditTrackForm.h"
#include "import/ImportInfoForm.h"
#include "import/ImportTracksForm.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TestPlatform.h"

#include <gtest/gtest.h>

// One line per dialog, written before the answer is known, and the answer passed back unchanged.
TEST(LoggingDialogs, LogsEveryKindAndPassesTheAnswerOn)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("dialogs.log");
    ScriptedDialogs scripted;
    LoggingDialogs dialogs(scripted, log);
    scripted.results = {mrNo, mrRetry};
    scripted.texts = {"abc", "/a.lst", "/b.m3c"};
    scripted.answerEditTrack({});

    EXPECT_EQ(dialogs.MessageBox(MsgDlgType::Confirmation, "Delete ?", ButtonSet({mbYes, mbNo})), mrNo);
    EXPECT_EQ(dialogs.MessageDlgFocus("x not found.", MsgDlgType::Error, ButtonSet({mbRetry, mbCancel}), 0, mbRetry),
              mrRetry);
    dialogs.ShowError("Disk full");
    QString value;
    EXPECT_TRUE(dialogs.InputQuery("Search", "Text", value));
    EXPECT_EQ(value, "abc");
    EXPECT_EQ(dialogs.OpenFileName("Select MP3 DataBase", "*.lst", "lst", {}), "/a.lst");
    EXPECT_EQ(dialogs.SaveFileName("Save Selection", "*.m3c", "m3c", {}, true), "/b.m3c");
    TrackTexts texts{"dir\\f.mp3", "A", "B", "C"};
    EXPECT_FALSE(EditTrackDialog(dialogs, texts));
    scripted.progressShown = true;  // a progress view is logged once, when it appears
    const auto progress = dialogs.Progress("Copying files", 2);
    progress->setProgress(0, "a.mp3");
    progress->keepResponsive();

    TestPlatform volumes{scripted};
    scripted.onForm<SetupForm>([](SetupForm &form) { form.CancelBtnClick(); });
    scripted.onForm<SelDirForm>([](SelDirForm &form) { form.BitBtn2Click(); });
    SetupForm setup(dialogs, volumes, Config());
    dialogs.Setup(setup);
    QString path;
    EXPECT_FALSE(SelectDir(dialogs, volumes, path));
    scripted.onForm<ImportTracksForm>([](ImportTracksForm &form) { form.SkipBtnClick(); });
    ImportFormats formats;
    ImportTracksForm import(dialogs, formats, {"a.mp3"});
    import.Caption = "Import from /cd/";
    dialogs.ImportTracks(import);
    EXPECT_EQ(import.Choice(), ImportTracksForm::SkipChoice);
    scripted.onForm<ImportInfoForm>([](ImportInfoForm &form) { form.BitBtn2Click(); });
    ImportInfoForm info(dialogs);
    dialogs.ImportInfo(info);
    EXPECT_TRUE(info.Closed());

    EXPECT_EQ(ReadFileBytes(log), "MessageBox:Confirmation|Delete ?\n"
                                  "MessageDlgFocus|x not found.\n"
                                  "MessageBox:Error|Disk full\n"
                                  "InputQuery|Search\n"
                                  "OpenFileName|Select MP3 DataBase\n"
                                  "SaveFileName|Save Selection\n"
                                  "EditTrack|dir\\f.mp3\n"
                                  "Progress|Copying files\n"
                                  "Setup|Setup for ZEMLO\n"
                                  "SelectPath|Select Path\n"
                                  "ImportTracks|Import from /cd/\n"
                                  "ImportInfo|Import new Tracks\n");
    EXPECT_EQ(scripted.asked.size(), 11u);
    EXPECT_TRUE(scripted.forms.empty());

    LoggingDialogs silent(scripted, QString());  // no log named: only passes on
    silent.ShowInformation("Done");
    EXPECT_EQ(scripted.asked.back().text, "Done");
}
