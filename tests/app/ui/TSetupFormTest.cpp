#include "app/ui/TSelDir.h"
#include "app/ui/TSetupForm.h"
#include "support/TestPlatform.h"
#include "support/gui/FocusChain.h"
#include "support/gui/ModalDriver.h"
#include "widgets/QtDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {
Config TwoPaths()
{
    Config config;
    config.CDPaths[1] = "/media/cd/";
    config.CDPaths[2] = "/mnt/mp3/";
    config.CDPathCount = 2;
    config.Player = "vlc";
    return config;
}
} // namespace

TEST(TSetupForm, CaptionsFocusOrderAndTheFormsState)
{
    QtDialogs dialogs;
    TestPlatform volumes{dialogs};
    HandlerGuard guard{volumes.errors};
    SetupForm form(dialogs, volumes, TwoPaths());
    TSetupForm dialog(form, guard);
    EXPECT_EQ(dialog.windowTitle(), "Setup for ZEMLO");
    EXPECT_EQ(dialog.GroupBox1->title(), "Source Drives / CDs");
    EXPECT_EQ(dialog.CDPathList->parentWidget(), dialog.GroupBox1);
    const std::pair<QString, QString> captions[] = {
        {dialog.AddPath->text(), "Add"}, {dialog.ChangePath->text(), "Change"}, {dialog.DelPath->text(), "Delete"},
        {dialog.PlayerLabel->text(), "External Player"},
        {dialog.CopyToHDPathLabel->text(), "Default path for Copy To HD"},
        {dialog.PlayFromHDPathLabel->text(), "Default path for Play from HD"},
        {dialog.OkBtn->text(), "OK"}, {dialog.CancelBtn->text(), "Cancel"}};
    for (const auto &[shown, expected] : captions)
        EXPECT_EQ(shown, expected);
    EXPECT_TRUE(dialog.OkBtn->isDefault());
    EXPECT_LT(dialog.Player->geometry().right(), dialog.SpeedButton1->x());

    EXPECT_EQ(TabChain(dialog.OkBtn),
              (std::vector<const QWidget *>{dialog.OkBtn, dialog.CancelBtn, dialog.CDPathList, dialog.AddPath,
                                            dialog.ChangePath, dialog.DelPath, dialog.Player, dialog.CopyToHDPath,
                                            dialog.PlayFromHDPath}));

    // The list box and the edits show the form's state and hand changes back.
    ASSERT_EQ(dialog.CDPathList->count(), 2);
    EXPECT_EQ(dialog.CDPathList->item(1)->text(), "/mnt/mp3/");
    EXPECT_EQ(dialog.Player->text(), "vlc");
    form.CDPathList.setCurrentRow(1);
    EXPECT_EQ(dialog.CDPathList->currentRow(), 1);
    dialog.CDPathList->setCurrentRow(0);
    EXPECT_EQ(form.CDPathList.currentRow(), 0);
    form.CDPathList.append("/new/");
    ASSERT_EQ(dialog.CDPathList->count(), 3);
    EXPECT_EQ(dialog.CDPathList->currentRow(), 0);
    dialog.CopyToHDPath->setText("/copy");
    EXPECT_EQ(form.CopyToHDPath, "/copy");
}

TEST(TSetupForm, ReturnConfirmsEscapeCancels)
{
    struct Case { const char *how; int key; int choice; };
    const Case cases[] = {{"Return", Qt::Key_Return, mrOk}, {"Escape", Qt::Key_Escape, mrCancel}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.how);
        QtDialogs dialogs;
        TestPlatform volumes{dialogs};
        SetupForm form(dialogs, volumes, TwoPaths());
        bool okFocused = false;
        WhenShown<TSetupForm> shown([&](TSetupForm *d) {
            okFocused = QApplication::focusWidget() == d->OkBtn;
            d->Player->setText("mpv");
            PressKey(c.key);
        });
        dialogs.Setup(form);
        EXPECT_TRUE(okFocused);
        EXPECT_EQ(form.Choice(), c.choice);
        EXPECT_EQ(form.Player, "mpv");
    }
}

TEST(TSelDir, TypedPathMovesTheTreeAndIsChosen)
{
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath("cd/sub") && QDir(home.path()).mkpath("music/rock"));
    const QString rock = home.filePath("music/rock"), cd = home.filePath("cd");
    QtDialogs dialogs;
    TestPlatform volumes{dialogs};
    volumes.mounted << MountedVolume{cd, false};
    bool typedFirst = false, stayedOpen = false, treeMoved = false, notReady = false;
    WhenShown<TSelDir> shown([&](TSelDir *d) {
        typedFirst = QApplication::focusWidget() == d->PathEdit && d->windowTitle() == "Select Path";
        d->PathEdit->setText(home.filePath("none"));
        PressKey(Qt::Key_Return);  // no such directory: stays open
        d->PathEdit->setText(cd + "/sub");
        PressKey(Qt::Key_Return);  // on a volume that is not ready: its mount point, no tree
        notReady = d->DriveComboBox1->currentText() == cd && d->Dirs->model() == nullptr && d->PathEdit->text() == cd;
        d->PathEdit->setText(rock + "/");
        PressKey(Qt::Key_Return);
        stayedOpen = d->isVisible();
        auto *tree = qobject_cast<QFileSystemModel *>(d->Dirs->model());
        treeMoved = tree && tree->filePath(d->Dirs->currentIndex()) == rock && d->PathEdit->text() == rock
                    && d->DriveComboBox1->currentIndex() == 0;
        PressKey(Qt::Key_Return);  // the same directory again: chosen
    });
    QString path = "/no/such/start";
    EXPECT_TRUE(SelectDir(dialogs, volumes, path));
    EXPECT_TRUE(typedFirst);
    EXPECT_TRUE(notReady);
    EXPECT_TRUE(stayedOpen);
    EXPECT_TRUE(treeMoved);
    EXPECT_EQ(path, rock);
}
