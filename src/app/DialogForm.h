#pragma once
// The logic of a modal dialog whose buttons have rules behind them: the handlers carry the
// names of their buttons, ask their further questions through Dialogs, and end the dialog with
// Close(). Choice holds the result of closing the window (Cancel, or Stop) from creation on, so
// a window closed by its close box or by Escape counts as that. The view that presents the form
// (a Qt dialog, or a test pressing its buttons) closes when OnClose is called.

#include <functional>

class Dialogs;

class DialogForm {
public:
    virtual ~DialogForm() = default;
    DialogForm(const DialogForm &) = delete;
    DialogForm &operator=(const DialogForm &) = delete;

    int Choice() const { return Choice_; }
    bool Closed() const { return closed_; }

    std::function<void()> OnClose;

protected:
    DialogForm(Dialogs &dialogs, int closeChoice) : dialogs_(dialogs), Choice_(closeChoice) {}
    void Close(int choice)
    {
        Choice_ = choice;
        closed_ = true;
        if (OnClose)
            OnClose();
    }

    Dialogs &dialogs_;

private:
    int Choice_;
    bool closed_ = false;
};
