#pragma once
// The titles and buttons that every message box of the program shares, whichever window shows it.

#include "app/Dialogs.h"

#include <QString>

// The text as a message box shows it: the program's texts write a line break as "\r" (so that a
// logged dialog stays one line) and an ampersand as "&&".
QString ShownMessageText(const QString &text);

// The title of a message box of the given type; empty for a custom box, whose window keeps the
// application's name.
QString MessageTitle(MsgDlgType type);

struct MessageButton {
    const char *caption;
    int modalResult;  // mrNone: the button does not close the box
};
inline constexpr int MessageButtonCount = mbHelp + 1;
// By button index, in the order in which a message box lays its buttons out.
inline constexpr MessageButton MessageButtons[MessageButtonCount] = {
    {"Yes", mrYes},     {"No", mrNo},         {"OK", mrOk},   {"Cancel", mrCancel}, {"Abort", mrAbort},
    {"Retry", mrRetry}, {"Ignore", mrIgnore}, {"All", mrAll}, {"Help", mrNone},
};

inline bool HasButton(MsgDlgButtons buttons, MsgDlgBtn button)
{
    return buttons & (1u << button);
}
