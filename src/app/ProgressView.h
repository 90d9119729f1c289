#pragma once
// The progress of a long task over many items (files being copied), with a Cancel button. A view
// stays hidden while its task is short, so a quick task shows nothing extra.

#include <QString>

class ProgressView {
public:
    virtual ~ProgressView() = default;
    // The item after `done` finished ones is starting; name: what the user knows it by.
    virtual void setProgress(int done, const QString &name) = 0;
    // Lets the window repaint and take its input while the task works; called between items and
    // between the chunks of a big one.
    virtual void keepResponsive() = 0;
    // Whether the user asked to stop: the task ends after its current item.
    virtual bool cancelRequested() const = 0;
    // Whether the view has appeared on the screen.
    virtual bool shown() const = 0;
};

// Progress that nobody watches: never shown, never cancelled.
class HiddenProgress : public ProgressView {
public:
    void setProgress(int, const QString &) override {}
    void keepResponsive() override {}
    bool cancelRequested() const override { return false; }
    bool shown() const override { return false; }
};
