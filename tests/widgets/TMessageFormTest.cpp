#include "support/gui/ModalDriver.h"
#include "widgets/MessageLayout.h"
#include "widgets/QtDialogs.h"
#include "widgets/Scale.h"
#include "widgets/TMessageForm.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>

// Readable failure messages.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

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

struct KeyCase {
    const char *name;
    MsgDlgButtons buttons;
    MsgDlgBtn focus;
    int key;
    QStringList order;
    QString focused;  // the button that has the focus when the box opens
    int expected;
};

TEST(TMessageForm, KeysAnswerWithTheFocusAndCancelButtons)
{
    const MsgDlgButtons retry = ButtonSet({mbCancel, mbRetry});
    const MsgDlgButtons save = ButtonSet({mbYes, mbNo, mbCancel});
    const QStringList retryOrder{"Cancel", "Retry"};
    const QStringList saveOrder{"Yes", "No", "Cancel"};
    const KeyCase cases[] = {
        {"Retry question, Enter", retry, mbRetry, Qt::Key_Return, retryOrder, "Retry", mrRetry},
        {"Retry question, keypad Enter", retry, mbRetry, Qt::Key_Enter, retryOrder, "Retry", mrRetry},
        {"Retry question, Escape", retry, mbRetry, Qt::Key_Escape, retryOrder, "Retry", mrCancel},
        {"Retry question, focus on Cancel", retry, mbCancel, Qt::Key_Return, retryOrder, "Cancel", mrCancel},
        {"Save question, Enter", save, mbYes, Qt::Key_Return, saveOrder, "Yes", mrYes},
        {"Save question, Escape", save, mbYes, Qt::Key_Escape, saveOrder, "Yes", mrCancel},
        {"Save question, focus on No", save, mbNo, Qt::Key_Return, saveOrder, "No", mrNo},
        {"Yes and No: Escape presses No", ButtonSet({mbYes, mbNo}), mbYes, Qt::Key_Escape, {"Yes", "No"}, "Yes",
         mrNo},
        {"OK alone: Escape presses OK", ButtonSet({mbOK}), mbOK, Qt::Key_Escape, {"OK"}, "OK", mrOk},
        {"Focus not in the set: the default button", retry, mbAbort, Qt::Key_Return, retryOrder, "Retry", mrRetry},
        {"Abort, Retry, Ignore: Ignore", ButtonSet({mbIgnore, mbAbort, mbRetry}), mbIgnore, Qt::Key_Return,
         {"Abort", "Retry", "Ignore"}, "Ignore", mrIgnore},
        {"All", ButtonSet({mbAll, mbYes, mbNo}), mbAll, Qt::Key_Return, {"Yes", "No", "All"}, "All", mrAll},
    };
    for (const KeyCase &c : cases) {
        SCOPED_TRACE(c.name);
        QStringList order;
        QString focused;
        WhenShown<TMessageForm> answer([&](TMessageForm *box) {
            order = ButtonOrder(box);
            focused = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
            PressKey(c.key);
        });
        const int result = MessageDlgFocus("Some text.", MsgDlgType::Error, c.buttons, 0, c.focus);
        EXPECT_EQ(result, c.expected);
        EXPECT_EQ(order, c.order);
        EXPECT_EQ(focused, c.focused);
    }
}

TEST(TMessageForm, EscapeWithoutACancelButtonLeavesTheBoxOpen)
{
    bool stillOpen = false;
    WhenShown<TMessageForm> answer([&](TMessageForm *box) {
        PressKey(Qt::Key_Escape);
        QApplication::processEvents();
        stillOpen = box->isVisible();
        PressKey(Qt::Key_Return);
    });
    EXPECT_EQ(MessageDlgFocus("Go on?", MsgDlgType::Warning, ButtonSet({mbYes, mbRetry}), 0, mbRetry), mrRetry);
    EXPECT_TRUE(stillOpen);
}

TEST(TMessageForm, TheCloseBoxAnswersCancel)
{
    // Even without a Cancel button.
    WhenShown<TMessageForm> answer([](TMessageForm *box) { box->close(); });
    EXPECT_EQ(MessageDlgFocus("Save?", MsgDlgType::Confirmation, ButtonSet({mbYes, mbNo}), 0, mbYes), mrCancel);
}

TEST(TMessageForm, HelpKeepsTheBoxOpen)
{
    bool stillOpen = false;
    WhenShown<TMessageForm> answer([&](TMessageForm *box) {
        PressKey(Qt::Key_Return);  // the focus is on Help
        box->findChild<QPushButton *>("Help")->click();
        QApplication::processEvents();
        stillOpen = box->isVisible();
        box->findChild<QPushButton *>("OK")->click();
    });
    EXPECT_EQ(MessageDlgFocus("Read the help.", MsgDlgType::Information, ButtonSet({mbOK, mbHelp}), 0, mbHelp),
              mrOk);
    EXPECT_TRUE(stillOpen);
}

TEST(TMessageForm, TheProgramsDialogsShowIt)
{
    WhenShown<TMessageForm> answer([](TMessageForm *) { PressKey(Qt::Key_Return); });
    QtDialogs dialogs;
    EXPECT_EQ(dialogs.MessageDlgFocus("x.mp3 (cd A1) not found.", MsgDlgType::Error, ButtonSet({mbCancel, mbRetry}),
                                      0, mbRetry),
              mrRetry);
}

TEST(TMessageForm, CaptionAndIconByType)
{
    struct Case {
        MsgDlgType type;
        QString caption;
        bool icon;
    };
    const Case cases[] = {
        {MsgDlgType::Warning, "Warning", true},
        {MsgDlgType::Error, "Error", true},
        {MsgDlgType::Information, "Information", true},
        {MsgDlgType::Confirmation, "Confirmation", true},
        {MsgDlgType::Custom, "", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.caption.toStdString());
        TMessageForm box("Text", c.type, ButtonSet({mbOK}), mbOK);
        EXPECT_EQ(box.windowTitle(), c.caption);
        const auto *image = box.findChild<QLabel *>("Image");
        ASSERT_EQ(image != nullptr, c.icon);
        const auto *message = box.findChild<QLabel *>("Message");
        ASSERT_NE(message, nullptr);
        if (c.icon) {
            EXPECT_EQ(image->size(), QSize(32, 32));
            EXPECT_FALSE(image->pixmap().isNull());
            // The text stands right of the icon.
            EXPECT_GT(message->x(), image->geometry().right());
        }
    }
}

struct Measured {
    int buttonTop = 0;
    QRect message;
    QSize client;
};

Measured Measure(const QString &text)
{
    TMessageForm box(text, MsgDlgType::Error, ButtonSet({mbCancel, mbRetry}), mbRetry);
    return {box.findChild<QPushButton *>("Retry")->y(), box.findChild<QLabel *>("Message")->geometry(), box.size()};
}

TEST(TMessageForm, LongMessageWrapsAtHalfTheScreenAndGrowsDownwards)
{
    const int halfScreen = QGuiApplication::primaryScreen()->geometry().width() / 2;
    const Measured shortOne = Measure("track.mp3 (cd A1) not found.");
    const Measured longOne = Measure(QString("Some words that go on and on. ").repeated(30));

    EXPECT_LE(longOne.message.width(), halfScreen);
    EXPECT_GT(longOne.message.width(), halfScreen * 3 / 4);
    EXPECT_GE(longOne.message.height(), 4 * shortOne.message.height());
    // The box grows in height by what the text grew; the buttons move down with it.
    const int growth = longOne.message.height() - 32;
    EXPECT_EQ(longOne.client.height(), shortOne.client.height() + growth);
    EXPECT_EQ(longOne.buttonTop, shortOne.buttonTop + growth);
    EXPECT_GT(longOne.buttonTop, longOne.message.bottom());
}

TEST(TMessageForm, TheMessageIsNeverCut)
{
    const QString texts[] = {
        QString("Some words that go on and on. ").repeated(30),
        "Column\tafter\ttabs\tthat\tare\twider\tthan\tone\tletter",
        "Rock & Roll <b>Hits</b>.lst has been modified. Save ?",
        QString("W").repeated(120),  // one word longer than the wrap width
    };
    for (const QString &text : texts) {
        SCOPED_TRACE(text.toStdString());
        TMessageForm box(text, MsgDlgType::Confirmation, ButtonSet({mbYes, mbNo, mbCancel}), mbYes);
        const auto *message = box.findChild<QLabel *>("Message");
        EXPECT_EQ(message->text(), text);
        EXPECT_LE(message->heightForWidth(message->width()), message->height());
        EXPECT_LE(message->geometry().right(), box.width());
    }
}

TEST(TMessageForm, OneShortLineStillMakesA32PixelBlock)
{
    TMessageForm box("Short.", MsgDlgType::Error, ButtonSet({mbCancel, mbRetry}), mbRetry);
    const QFontMetrics metrics(box.font());
    const MessageSpacing s = SpacingFor(
        DialogUnitsFromSample(metrics.horizontalAdvance(QLatin1String(DialogUnitSample)), metrics.height()));
    const auto *message = box.findChild<QLabel *>("Message");
    ASSERT_LT(message->height(), 32);
    EXPECT_EQ(box.findChild<QPushButton *>("Retry")->y(), s.vertMargin + 32 + s.vertSpacing);
    EXPECT_EQ(box.height(), 32 + s.buttonHeight + s.vertSpacing + 2 * s.vertMargin);
}

TEST(TMessageForm, CentredOnTheScreen)
{
    TMessageForm box("Centred.", MsgDlgType::Information, ButtonSet({mbOK}), mbOK);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(box.x(), screen.width() / 2 - box.width() / 2);
    EXPECT_EQ(box.y(), screen.height() / 2 - box.height() / 2);
}

TEST(TMessageForm, TheFontDoesNotFollowTheParent)
{
    QWidget mainWindow;
    QFont big("Serif");
    big.setPixelSize(40);
    big.setBold(true);
    mainWindow.setFont(big);

    TMessageForm alone("Text", MsgDlgType::Error, ButtonSet({mbOK}), mbOK);
    // Nor the application's font, should the program change it.
    const QFont saved = QApplication::font();
    QApplication::setFont(big);
    TMessageForm child("Text", MsgDlgType::Error, ButtonSet({mbOK}), mbOK, &mainWindow);
    QApplication::setFont(saved);
    EXPECT_EQ(child.font().pixelSize(), Scaled(16));
    EXPECT_FALSE(child.font().bold());
    EXPECT_EQ(child.font(), alone.font());
    EXPECT_EQ(child.findChild<QPushButton *>("OK")->font(), alone.font());
    EXPECT_EQ(child.findChild<QLabel *>("Message")->font(), alone.font());
    EXPECT_EQ(child.size(), alone.size());
}

} // namespace
