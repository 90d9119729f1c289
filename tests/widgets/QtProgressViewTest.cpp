#include "widgets/QtProgressView.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QProgressDialog *ProgressDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<QProgressDialog *>(w))
            return dialog;
    return nullptr;
}
} // namespace

// A short task shows nothing; a long one shows how far it is and takes a Cancel.
TEST(QtProgressView, AppearsOnlyForLongTasksAndTakesCancel)
{
    {
        QtProgressView quick(nullptr, "Copying files", 3);
        for (int i = 0; i < 3; ++i) {
            quick.setProgress(i, "a.mp3");
            quick.keepResponsive();
        }
        EXPECT_FALSE(quick.shown());
        EXPECT_FALSE(ProgressDialog()->isVisible());
    }

    QtProgressView slow(nullptr, "Copying files", 3, 50);
    slow.setProgress(0, "a.mp3");
    EXPECT_FALSE(slow.shown());
    QTest::qWait(60);
    slow.keepResponsive();  // between the chunks of a big file
    EXPECT_TRUE(slow.shown());
    slow.setProgress(1, "b.mp3");
    QProgressDialog *dialog = ProgressDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Copying files");
    EXPECT_EQ(dialog->findChild<QLabel *>()->text(), "1 of 3 done\nb.mp3");
    EXPECT_FALSE(slow.cancelRequested());
    QTest::mouseClick(dialog->findChild<QPushButton *>(), Qt::LeftButton);
    EXPECT_TRUE(slow.cancelRequested());
}
