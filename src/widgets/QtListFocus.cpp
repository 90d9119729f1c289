#include "widgets/QtListFocus.h"

#include "widgets/THeader.h"
#include "widgets/TTabListBox.h"

#include <QApplication>

const ListModel *QtListFocus::focusedList() const
{
    const auto *list = qobject_cast<const TTabListBox *>(QApplication::focusWidget());
    return list ? list->model() : nullptr;
}

void QtListFocus::focusList(const ListModel &list)
{
    for (QWidget *widget : QApplication::allWidgets()) {
        auto *box = qobject_cast<TTabListBox *>(widget);
        if (box && box->model() == &list) {
            box->setFocus();
            return;
        }
    }
}
