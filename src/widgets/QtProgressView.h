#pragma once
// A progress dialog that appears only once its task has run for a while, so a quick task shows
// nothing. While hidden it lets the window repaint but holds back the user's input; once shown it
// is application modal, so the only input it lets through is its own Cancel.

#include "app/ProgressView.h"

#include <QElapsedTimer>
#include <QProgressDialog>

class QtProgressView : public ProgressView {
public:
    static constexpr int DefaultShowAfterMs = 1000;

    QtProgressView(QWidget *parent, const QString &title, int total, int showAfterMs = DefaultShowAfterMs);

    void setProgress(int done, const QString &name) override;
    void keepResponsive() override;
    bool cancelRequested() const override { return dialog_.wasCanceled(); }
    bool shown() const override { return dialog_.isVisible(); }

private:
    QProgressDialog dialog_;
    QElapsedTimer running_;
    int total_;
    int showAfterMs_;
};
