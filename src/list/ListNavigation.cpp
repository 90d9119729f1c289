#include "list/ListNavigation.h"

#include "list/ListModel.h"

#include <QString>

#include <algorithm>

void ListNavigation::selectTo(int row, Qt::KeyboardModifiers modifiers, bool ctrlToggles)
{
    if (!list_.multiSelect()) {
        list_.setCurrentRow(row, list_.anchorRow());
        return;
    }
    int anchor = row;
    if (modifiers & Qt::ShiftModifier) {
        // A range runs from the last plain or Ctrl click, else from the current row.
        anchor = list_.anchorRow() >= 0 ? list_.anchorRow() : list_.currentRow() >= 0 ? list_.currentRow() : row;
        if (!(modifiers & Qt::ControlModifier))
            list_.clearSelection();
        list_.selectRange(anchor, row);
    } else if (modifiers & Qt::ControlModifier) {
        if (ctrlToggles)
            list_.setSelected(row, !list_.isSelected(row));
    } else {
        list_.clearSelection();
        list_.setSelected(row, true);
    }
    list_.setCurrentRow(row, anchor);
}

void ListNavigation::press(int row, Qt::KeyboardModifiers modifiers)
{
    deferredRow_ = -1;
    if (list_.multiSelect() && list_.isSelected(row) && !(modifiers & Qt::ShiftModifier)) {
        deferredRow_ = row;
        deferredModifiers_ = modifiers;
        list_.setCurrentRow(row, list_.anchorRow());
        return;
    }
    selectTo(row, modifiers, true);
}

void ListNavigation::release()
{
    const int row = deferredRow_;
    deferredRow_ = -1;
    if (row >= 0 && row < list_.count())
        selectTo(row, deferredModifiers_, true);
}

void ListNavigation::rightClick(int row)
{
    if (list_.multiSelect() && row >= 0 && row < list_.count())
        list_.setSelected(row, !list_.isSelected(row));
}

bool ListNavigation::key(int key, Qt::KeyboardModifiers modifiers, int visibleRows)
{
    const int count = list_.count();
    const int current = list_.currentRow();
    // A page leaves one row of the old view in sight.
    const int page = std::max(1, visibleRows - 1);
    int row;
    switch (key) {
    case Qt::Key_Up: row = current < 0 ? 0 : current - 1; break;
    case Qt::Key_Down: row = current + 1; break;
    case Qt::Key_PageUp: row = current < 0 ? 0 : current - page; break;
    case Qt::Key_PageDown: row = current < 0 ? 0 : current + page; break;
    case Qt::Key_Home: row = 0; break;
    case Qt::Key_End: row = count - 1; break;
    default: return false;
    }
    if (count > 0)
        selectTo(std::clamp(row, 0, count - 1), modifiers, false);
    return true;
}

void ListNavigation::typeAhead(const QString &text, int column)
{
    const int count = list_.count();
    const uint wanted = text.toCaseFolded().toUcs4().value(0);
    const int start = list_.currentRow();
    for (int i = 1; i <= count; ++i) {
        const int row = (start + i) % count;
        const std::optional<char32_t> first = list_.columnStart(row, column);
        if (first && QChar::toCaseFolded(static_cast<uint>(*first)) == wanted) {
            selectTo(row, Qt::NoModifier, false);
            return;
        }
    }
}
