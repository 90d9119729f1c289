#include "widgets/QtListFocus.h"

#include "widgets/THeader.h"
#include "widgets/TTabListBox.h"

#include <QApplication>

const ListModel *QtListFocus::focusedList() const
{
    const auto *list = qobject_cast<const TTabListBox *>(QApplication::focusWidget());
    return list ? list->model() : nullptr;
}
