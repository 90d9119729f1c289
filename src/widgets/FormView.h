#pragma once
// A dialog that shows one form of the core. Its controls run the form's handlers inside the
// core's handler guard: a handler that fails reports its error and the dialog stays open, and
// no exception crosses the event loop of the dialog's exec(), which Qt does not allow.

#include "app/HandlerGuard.h"

#include <QDialog>
#include <functional>

class FormView : public QDialog {
    Q_OBJECT
public:
    FormView(const HandlerGuard &guard, QWidget *parent)
        : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), guard_(guard)
    {
    }

protected:
    void guarded(const std::function<void()> &handler) const { guard_.run(handler); }

private:
    const HandlerGuard &guard_;
};
