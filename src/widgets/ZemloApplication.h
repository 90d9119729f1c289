#pragma once
// The application object. Every handler runs inside the core's guard; notify() is only the last
// resort for an error that escapes Qt's own event handling, and reports it the same way.

#include <QApplication>

class ErrorReporter;

class ZemloApplication : public QApplication {
public:
    ZemloApplication(int &argc, char **argv);
    void setErrorReporter(ErrorReporter *reporter) { reporter_ = reporter; }
    bool notify(QObject *receiver, QEvent *event) override;

private:
    ErrorReporter *reporter_ = nullptr;
};
