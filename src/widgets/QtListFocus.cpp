#include "widgets/QtListFocus.h"

#include "widgets/THeader.h"
#include "widgets/TTabListBox.h"

#include <QApplication>

const SongList *QtListFocus::focusedList() const
{
    const auto *list = qobject_cast<const TTabListBox *>(QApplication::focusWidget());
    return list ? list->model() : nullptr;
}
