#include "widgets/QtProgressView.h"

#include <QCoreApplication>

#include <limits>

QtProgressView::QtProgressView(QWidget *parent, const QString &title, int total, int showAfterMs)
    : dialog_(parent), total_(total), showAfterMs_(showAfterMs)
{
    dialog_.setWindowTitle(title);
    dialog_.setWindowModality(Qt::ApplicationModal);
    dialog_.setRange(0, total);
    // Shown by keepResponsive() alone: the dialog's own guess would show it at an unforeseeable time.
    dialog_.setMinimumDuration(std::numeric_limits<int>::max());
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
    running_.start();
}

void QtProgressView::setProgress(int done, const QString &name)
{
    dialog_.setLabelText(QString("%1 of %2 done\n%3").arg(done).arg(total_).arg(name));
    dialog_.setValue(done);
    keepResponsive();
}

void QtProgressView::keepResponsive()
{
    if (!dialog_.isVisible() && running_.elapsed() >= showAfterMs_)
        dialog_.show();
    // Before the dialog is up nothing would stop a click from starting another command mid-task.
    QCoreApplication::processEvents(dialog_.isVisible() ? QEventLoop::AllEvents
                                                         : QEventLoop::ExcludeUserInputEvents);
}
