#pragma once
// Where the text of an error that ended an operation goes: the standard error box.

#include "app/Dialogs.h"

#include <QString>

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ReportError(const QString &text) = 0;
};

// Reports through the program's dialogs, so that tests see each error as a scripted question.
class DialogsErrorReporter : public ErrorReporter {
public:
    explicit DialogsErrorReporter(Dialogs &dialogs) : dialogs_(dialogs) {}
    void ReportError(const QString &text) override { dialogs_.ShowError(text); }

private:
    Dialogs &dialogs_;
};
