#pragma once
// The application object: the one place where an error that escapes an event handler is caught
// and shown to the user in a standard error box.

#include <QApplication>

class ZemloApplication : public QApplication {
public:
    ZemloApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
    // Shows the text of an error that ended an operation.
    static void ShowException(const QString &text);
};
