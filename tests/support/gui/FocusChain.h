#pragma once
// The widgets that Tab visits, from a widget round to it again: those that take the focus and
// are enabled, without the parts that hand their focus on (a combo box's line edit).

#include <QWidget>
#include <vector>

inline std::vector<const QWidget *> TabChain(const QWidget *start)
{
    std::vector<const QWidget *> chain{start};
    // The focus chain is a ring; the bound only keeps a broken one from hanging the test.
    for (const QWidget *w = start->nextInFocusChain(); w && w != start && chain.size() < 100;
         w = w->nextInFocusChain())
        if (w->focusPolicy() != Qt::NoFocus && w->isEnabled() && !w->focusProxy())
            chain.push_back(w);
    return chain;
}
