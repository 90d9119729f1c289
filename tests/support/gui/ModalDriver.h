#pragma once
// Drives modal dialogs in widget tests: runs an action on the dialog once it is shown and
// active, and types keys as the user does.

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <functional>

// What exec() answers when a dialog was still open after five seconds: a broken key never
// hangs a test.
constexpr int DialogGaveUp = -99;

template <class Dialog>
class WhenShown {
public:
    explicit WhenShown(std::function<void(Dialog *)> action) : action_(std::move(action))
    {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || QApplication::activeWindow() != dialog)
                return;
            poll_.stop();
            action_(dialog);
        });
        poll_.start();
        watchdog_.setSingleShot(true);
        watchdog_.setInterval(5000);
        QObject::connect(&watchdog_, &QTimer::timeout, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->done(DialogGaveUp);
        });
        watchdog_.start();
    }

private:
    std::function<void(Dialog *)> action_;
    QTimer poll_;
    QTimer watchdog_;
};

// A key as the user types it: to the widget that has the keyboard focus.
inline void PressKey(int key)
{
    QPointer<QWidget> target = QApplication::focusWidget();
    if (!target)
        target = QApplication::activeWindow();
    if (!target)
        return;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    if (target)  // the press may have closed and freed it
        QApplication::sendEvent(target, &release);
}
