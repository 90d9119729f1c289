#pragma once
// Scripted dialogs that run an action before a question for a missing file is answered, as a
// user who inserts the CD before pressing Retry.

#include "support/ScriptedDialogs.h"

#include <functional>

struct InsertingDialogs : ScriptedDialogs {
    std::function<void()> onQuestion;
    int MessageDlgFocus(const QString &text, MsgDlgType type, MsgDlgButtons buttons, int helpContext,
                        MsgDlgBtn focus) override
    {
        if (onQuestion)
            onQuestion();
        return ScriptedDialogs::MessageDlgFocus(text, type, buttons, helpContext, focus);
    }
};
