#include "support/gui/ModalDriver.h"
#include "widgets/QtDialogs.h"
#include "widgets/TMessageForm.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

// Readable failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// In a key sequence: a click on the title bar's close box.
constexpr int CloseBox = 0;

// Button names from left to right.
QStringList ButtonOrder(const QWidget *box)
{
    QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
    std::sort(buttons.begin(), buttons.end(), [](auto *a, auto *b) { return a->x() < b->x(); });
    QStringList names;
    for (auto *b : buttons)
        names << b->objectName();
    return names;
}

TEST(TMessageForm, KeysAnswerWithTheFocusAndCancelButtons)
{
    // Keys go one by one while the box is open; focused: the button with the focus when it opens.
    struct Case { const char *name; MsgDlgButtons buttons; MsgDlgBtn focus; std::vector<int> keys;
                  QStringList order; QString focused; int expected; };
    const MsgDlgButtons retry = ButtonSet({mbCancel, mbRetry}), save = ButtonSet({mbYes, mbNo, mbCancel});
    const QStringList retryOrder{"Cancel", "Retry"}, saveOrder{"Yes", "No", "Cancel"};
    const Case cases[] = {
        {"Retry question, Enter", retry, mbRetry, {Qt::Key_Return}, retryOrder, "Retry", mrRetry},
        {"Retry question, keypad Enter", retry, mbRetry, {Qt::Key_Enter}, retryOrder, "Retry", mrRetry},
        {"Retry question, Escape", retry, mbRetry, {Qt::Key_Escape}, retryOrder, "Retry", mrCancel},
        {"Retry question, focus on Cancel", retry, mbCancel, {Qt::Key_Return}, retryOrder, "Cancel", mrCancel},
        {"Save question, Escape: Cancel before No", save, mbYes, {Qt::Key_Escape}, saveOrder, "Yes", mrCancel},
        {"Save question, focus on No", save, mbNo, {Qt::Key_Return}, saveOrder, "No", mrNo},
        {"Yes and No: Escape presses No", ButtonSet({mbYes, mbNo}), mbYes, {Qt::Key_Escape}, {"Yes", "No"}, "Yes",
         mrNo},
        {"OK alone: Escape presses OK", ButtonSet({mbOK}), mbOK, {Qt::Key_Escape}, {"OK"}, "OK", mrOk},
        {"Focus not in the set: the default button", retry, mbAbort, {Qt::Key_Return}, retryOrder, "Retry", mrRetry},
        {"Abort, Retry, Ignore: Ignore", ButtonSet({mbIgnore, mbAbort, mbRetry}), mbIgnore, {Qt::Key_Return},
         {"Abort", "Retry", "Ignore"}, "Ignore", mrIgnore},
        {"All", ButtonSet({mbAll, mbYes, mbNo}), mbAll, {Qt::Key_Return}, {"Yes", "No", "All"}, "All", mrAll},
        {"Escape without a Cancel, No or OK button leaves the box open", ButtonSet({mbYes, mbRetry}), mbRetry,
         {Qt::Key_Escape, Qt::Key_Return}, {"Yes", "Retry"}, "Retry", mrRetry},
        {"Help leaves the box open", ButtonSet({mbOK, mbHelp}), mbHelp, {Qt::Key_Return, Qt::Key_Tab, Qt::Key_Return},
         {"OK", "Help"}, "Help", mrOk},
        {"The close box answers Cancel, even without a Cancel button", ButtonSet({mbYes, mbNo}), mbYes, {CloseBox},
         {"Yes", "No"}, "Yes", mrCancel},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList order;
        QString focused;
        WhenShown<TMessageForm> answer([&](TMessageForm *box) {
            order = ButtonOrder(box);
            focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            for (int key : c.keys) {
                QApplication::processEvents();
                if (!box->isVisible())
                    break;
                if (key == CloseBox)
                    box->close();
                else
                    PressKey(key);
            }
        });
        // Through the program's dialogs, as the program opens it.
        QtDialogs dialogs;
        EXPECT_EQ(dialogs.MessageDlgFocus("Some text.", MsgDlgType::Error, c.buttons, 0, c.focus), c.expected);
        EXPECT_EQ(order, c.order);
        EXPECT_EQ(focused, c.focused);
    }
}

// Whatever the text, the label holds all of it, as it is, words wrapped at half the screen's
// width with the buttons below it, and the box stays centred on the screen; every type but
// Custom has its icon left of the text.
TEST(TMessageForm, TheMessageIsNeverCut)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Case { QString text; MsgDlgType type; };
    const Case cases[] = {
        {QString("Some words that go on and on. ").repeated(30), MsgDlgType::Warning},
        {"Column\tafter\ttabs\tthat\tare\twider\tthan\tone\tletter", MsgDlgType::Error},
        {"Rock & Roll <b>Hits</b>.lst has been modified. Save ?", MsgDlgType::Confirmation},
        {QString("W").repeated(120), MsgDlgType::Information},  // one word longer than the wrap width
        {"Short.", MsgDlgType::Custom},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        TMessageForm box(c.text, c.type, ButtonSet({mbYes, mbNo, mbCancel}), mbYes);
        const auto *message = box.findChild<QLabel *>("Message");
        ASSERT_NE(message, nullptr);
        EXPECT_EQ(message->textFormat(), Qt::PlainText);  // names may hold "&" or "<"
        EXPECT_LE(message->heightForWidth(message->width()), message->height());
        EXPECT_LE(message->geometry().right(), box.width());
        if (c.text.size() > 500) {  // many words
            EXPECT_LE(message->width(), screen.width() / 2);
            EXPECT_GT(message->width(), screen.width() * 3 / 8);
        }
        EXPECT_GT(box.findChild<QPushButton *>("Yes")->y(), message->geometry().bottom());
        EXPECT_LE((box.geometry().center() - screen.center()).manhattanLength(), 2);
        const auto *image = box.findChild<QLabel *>("Image");
        ASSERT_EQ(image != nullptr, c.type != MsgDlgType::Custom);
        if (image) {
            EXPECT_EQ(image->size(), QSize(32, 32));
            EXPECT_FALSE(image->pixmap().isNull());
            EXPECT_GT(message->x(), image->geometry().right());
        }
    }
}

TEST(TMessageForm, TheFontFollowsNeitherTheParentNorTheApplication)
{
    QWidget mainWindow;
    QFont big("Serif");
    big.setPixelSize(40);
    big.setBold(true);
    mainWindow.setFont(big);
    TMessageForm alone("Text", MsgDlgType::Error, ButtonSet({mbOK}), mbOK);
    const QFont saved = QApplication::font();
    QApplication::setFont(big);
    TMessageForm child("Text", MsgDlgType::Error, ButtonSet({mbOK}), mbOK, &mainWindow);
    QApplication::setFont(saved);
    EXPECT_EQ(child.font(), alone.font());
    EXPECT_EQ(child.findChild<QPushButton *>("OK")->font(), alone.font());
    EXPECT_EQ(child.findChild<QLabel *>("Message")->font(), alone.font());
    EXPECT_EQ(child.size(), alone.size());
}

} // namespace
