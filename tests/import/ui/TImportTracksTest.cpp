#include "app/ErrorReporter.h"
#include "import/ui/TImportTracks.h"
#include "support/ScriptedDialogs.h"
#include "support/TaggedMp3.h"
#include "support/gui/FocusChain.h"
#include "support/gui/ModalDriver.h"
#include "widgets/QtDialogs.h"
#include "widgets/Scale.h"
#include "widgets/THeader.h"
#include "widgets/TTabListBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {
const QStringList Files{"Blue Fox-Night Songs-Rain.mp3", "Red Owl-Day-Sun.mp3"};

QString Names(const ImportTracksForm &form, int row)
{
    const ImportedNames n = form.RowNames()[row];
    return n.artist.toQString() + "|" + n.album.toQString() + "|" + n.track.toQString();
}

// Dialogs whose text prompt fails, as one that reads its answer from a device that went away.
class FailingPromptDialogs : public ScriptedDialogs {
public:
    bool InputQuery(const QString &, const QString &, QString &) override { throw std::runtime_error("disk gone"); }
};

// What the dialog runs with: the dialogs, the guard of its handlers and the remembered settings.
template <class AnyDialogs>
struct WithDialogs : ::testing::Test {
    AnyDialogs dialogs;
    DialogsErrorReporter errors{dialogs};
    HandlerGuard guard{errors};
    ImportFormats remembered;
};
using TImportTracksDialog = WithDialogs<QtDialogs>;
using TImportTracksFailingPrompt = WithDialogs<FailingPromptDialogs>;
} // namespace

TEST_F(TImportTracksDialog, CaptionsItemsAndHeader)
{
    ImportTracksForm form(dialogs, remembered, Files);
    form.Caption = "Import from Blue Fox/";
    TImportTracks dialog(form, guard);
    EXPECT_EQ(dialog.windowTitle(), "Import from Blue Fox/");
    const std::pair<QString, QString> captions[] = {
        {dialog.FormatLabel->text(), "FileName Format"}, {dialog.PathFormatLabel->text(), "Path Format"},
        {dialog.ForceArtistLabel->text(), "Force Artist"}, {dialog.ForceAlbumLabel->text(), "Force Album"},
        {dialog.TranslateBtn->text(), "Trans. All"}, {dialog.FormatSelBtn->text(), "Trans. Selected"},
        {dialog.ReplaceBtn->text(), "Replace Chars"}, {dialog.OkBtn->text(), "Add"},
        {dialog.SkipBtn->text(), "Skip"}, {dialog.CancelBtn->text(), "Stop"},
        {dialog.UseID3Tags->text(), "&Use ID3 tags"}};
    for (const auto &[shown, expected] : captions)
        EXPECT_EQ(shown, expected);
    ASSERT_EQ(dialog.Format->count(), 9);
    EXPECT_EQ(dialog.Format->itemText(8), "Track-Artist-Track");
    ASSERT_EQ(dialog.PathFormat->count(), 4);
    EXPECT_EQ(dialog.PathFormat->itemText(3), "Artist_Album");
    ASSERT_EQ(dialog.Header1->sectionCount(), 4);
    EXPECT_EQ(dialog.Header1->sectionTitle(0), "FileName");
    EXPECT_EQ(dialog.Header1->SectionWidth(3), Scaled(50, dialog.screen()));
    EXPECT_EQ(dialog.Header1->width(), dialog.Tracks->width());
    EXPECT_EQ(dialog.Tracks->model(), &form.Tracks);
    EXPECT_EQ(dialog.Memo1->toPlainText().split('\n').size(), 7);
    EXPECT_FALSE(dialog.Memo1->isEnabled());
    EXPECT_EQ(TabChain(dialog.Format),
              (std::vector<const QWidget *>{dialog.Format, dialog.PathFormat, dialog.ForceArtist, dialog.ForceAlbum,
                                            dialog.TranslateBtn, dialog.FormatSelBtn, dialog.ReplaceBtn, dialog.OkBtn,
                                            dialog.SkipBtn, dialog.CancelBtn, dialog.UseID3Tags, dialog.Tracks}));
}

TEST_F(TImportTracksDialog, OpensTranslatedAndClosesByKeyboard)
{
    struct Case { const char *how; int tabs; int key; int choice; };
    const Case cases[] = {{"Escape", 0, Qt::Key_Escape, ImportTracksForm::StopChoice},
                          {"seven Tabs, Return", 7, Qt::Key_Return, ImportTracksForm::AddChoice}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        remembered.fileNameFormat = "Track";
        ImportTracksForm form(dialogs, remembered, Files);
        bool formatFocused = false, tabsReachedAdd = false;
        QString opened, typed;
        WhenShown<TImportTracks> shown([&](TImportTracks *d) {
            formatFocused = QApplication::focusWidget() == d->Format && d->Format->currentText() == "Track";
            opened = Names(form, 0);
            d->Format->clearEditText();
            QTest::keyClicks(d->Format, "artist-album-track");
            d->TranslateBtn->click();
            typed = Names(form, 1);
            d->Format->setFocus();
            for (int k = 0; k < c.tabs; ++k)
                PressKey(Qt::Key_Tab);
            tabsReachedAdd = c.tabs == 0 || QApplication::focusWidget() == d->OkBtn;
            PressKey(c.key);
        });
        TImportTracks(form, guard).exec();
        EXPECT_TRUE(formatFocused);
        EXPECT_EQ(opened, "||Blue Fox-Night Songs-Rain");
        EXPECT_EQ(typed, "Red Owl|Day|Sun");
        EXPECT_EQ(remembered.fileNameFormat, ShortStr("artist-album-track"));
        EXPECT_TRUE(tabsReachedAdd);
        EXPECT_EQ(form.Choice(), c.choice);
    }
}

TEST_F(TImportTracksDialog, UseId3TagsTranslatesAllRowsWhenToggledAndComesUpAsRemembered)
{
    QTemporaryDir dir;
    WriteTaggedMp3(dir.filePath(Files[0]), Id3Names{"Tagged Fox", "", "Tagged Rain"});
    WriteTaggedMp3(dir.filePath(Files[1]), Id3Names{"Tagged Owl", "Tagged Day", ""});
    // The first dialog turns the box on, and the second comes up with it.
    for (bool rememberedOn : {false, true}) {
        SCOPED_TRACE(rememberedOn ? "remembered on" : "remembered off");
        ImportTracksForm form(dialogs, remembered, Files);
        form.SourceDir = dir.path();
        bool shownChecked = !rememberedOn, keyToggled = false;
        QString toggled;
        WhenShown<TImportTracks> shown([&](TImportTracks *d) {
            shownChecked = d->UseID3Tags->isChecked();
            // The accelerator clicks the box by an animated click, which ends a moment later.
            QTest::keyClick(d->windowHandle(), Qt::Key_U, Qt::AltModifier);
            keyToggled = QTest::qWaitFor([d, rememberedOn] { return d->UseID3Tags->isChecked() != rememberedOn; });
            toggled = Names(form, 0) + "/" + Names(form, 1);
            d->CancelBtn->click();
        });
        TImportTracks(form, guard).exec();
        EXPECT_EQ(shownChecked, rememberedOn);
        EXPECT_TRUE(keyToggled);
        EXPECT_EQ(remembered.useId3Tags, !rememberedOn);
        EXPECT_EQ(toggled.toStdString(), rememberedOn ? "Blue Fox|Night Songs|Rain/Red Owl|Day|Sun"
                                                      : "Tagged Fox|Night Songs|Tagged Rain/Tagged Owl|Tagged Day|Sun");
    }
}

TEST_F(TImportTracksFailingPrompt, AFailingHandlerIsReportedAndTheDialogStaysUsable)
{
    ImportTracksForm form(dialogs, remembered, Files);
    bool openAfterError = false;
    QString typed;
    WhenShown<TImportTracks> shown([&](TImportTracks *d) {
        d->ReplaceBtn->click();  // fails at its first prompt
        openAfterError = d->isVisible();
        d->Format->setEditText("artist-album-track");
        d->TranslateBtn->click();
        typed = Names(form, 1);
        d->OkBtn->click();
    });
    const int result = TImportTracks(form, guard).exec();
    EXPECT_TRUE(openAfterError);
    EXPECT_EQ(typed, "Red Owl|Day|Sun");
    EXPECT_EQ(result, QDialog::Accepted);
    EXPECT_EQ(form.Choice(), ImportTracksForm::AddChoice);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Error);
    EXPECT_EQ(dialogs.asked[0].text, "disk gone");
}
