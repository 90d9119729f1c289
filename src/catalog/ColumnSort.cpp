#include "catalog/ColumnSort.h"

#include "catalog/KeyOrder.h"
#include "list/ListModel.h"
#include "util/ShortStrings.h"

void SortByColumn(ListModel &list, int column, const Collation &collation)
{
    const int current = list.currentRow();
    const ShortStr currentText = current >= 0 ? list.rowText(current) : ShortStr();
    const std::vector<uint32_t> order = KeyOrder(
        list.count(), [&](size_t row) { return GetField(column, list.rowText(static_cast<int>(row)), TabSet); },
        collation);
    list.reorder(order);
    if (current < 0)
        return;
    for (int row = 0; row < list.count(); ++row) {
        if (list.rowText(row) == currentText) {
            list.setCurrentRow(row);
            return;
        }
    }
}
