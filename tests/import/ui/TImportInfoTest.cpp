#include "app/ErrorReporter.h"
#include "import/ui/TImportInfo.h"
#include "support/ScriptedDialogs.h"
#include "support/gui/FocusChain.h"
#include "support/gui/ModalDriver.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

TEST(TImportInfo, CaptionsAndTabOrder)
{
    ScriptedDialogs dialogs;
    DialogsErrorReporter errors{dialogs};
    HandlerGuard guard{errors};
    ImportInfoForm form(dialogs);
    form.SourceItems = QStringList{"/media/cd/", "/mnt/mp3/"};
    form.Source = "/media/cd/";
    TImportInfo dialog(form, guard);
    EXPECT_EQ(dialog.windowTitle(), "Import new Tracks");
    const std::pair<QString, QString> captions[] = {
        {dialog.CDNumLabel->text(), "CD ID"}, {dialog.SourceLabel->text(), "Source Path"},
        {dialog.SubDirs->text(), "Search Sub directories"}, {dialog.BitBtn1->text(), "Start"},
        {dialog.BitBtn2->text(), "Cancel"}, {dialog.Source->currentText(), "/media/cd/"}};
    for (const auto &[shown, expected] : captions)
        EXPECT_EQ(shown, expected);
    EXPECT_EQ(dialog.Source->count(), 2);
    EXPECT_EQ(dialog.CDNum->maxLength(), 20);
    EXPECT_TRUE(dialog.SubDirs->isChecked());
    EXPECT_TRUE(dialog.BitBtn1->isDefault());

    EXPECT_EQ(TabChain(dialog.CDNum), (std::vector<const QWidget *>{dialog.CDNum, dialog.Source, dialog.SubDirs,
                                                                    dialog.BitBtn1, dialog.BitBtn2}));
}

TEST(TImportInfo, ReturnInSourceStartsUnlessTheCDIDIsBlank)
{
    struct Case { const char *cdId; bool opensAgain; int choice; };
    const Case cases[] = {{"CD 7", false, ImportInfoForm::StartChoice}, {"   ", true, ImportInfoForm::CancelChoice}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.cdId);
        ScriptedDialogs dialogs;
        DialogsErrorReporter errors{dialogs};
        HandlerGuard guard{errors};
        ImportInfoForm form(dialogs);
        bool cdNumFocused = false, sourceAfterTab = false, stayedOpen = false;
        WhenShown<TImportInfo> shown([&](TImportInfo *d) {
            cdNumFocused = QApplication::focusWidget() == d->CDNum;
            QTest::keyClicks(d->CDNum, c.cdId);
            PressKey(Qt::Key_Tab);
            sourceAfterTab = QApplication::focusWidget() == d->Source;
            QTest::keyClicks(d->Source, "/srv/mp3");
            d->SubDirs->setChecked(false);
            PressKey(Qt::Key_Return);
            stayedOpen = d->isVisible();
            if (stayedOpen)
                PressKey(Qt::Key_Escape);
        });
        TImportInfo(form, guard).exec();
        EXPECT_TRUE(cdNumFocused);
        EXPECT_TRUE(sourceAfterTab);
        EXPECT_EQ(stayedOpen, c.opensAgain);
        EXPECT_EQ(form.Choice(), c.choice);
        EXPECT_EQ(dialogs.asked.size(), c.opensAgain ? 1u : 0u);
        if (!c.opensAgain) {
            EXPECT_EQ(form.CDNum, c.cdId);
            EXPECT_EQ(form.Source, "/srv/mp3");
            EXPECT_FALSE(form.SubDirs);
        }
    }
}
