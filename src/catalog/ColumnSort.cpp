#include "catalog/ColumnSort.h"

#include "catalog/KeyOrder.h"
#include "catalog/SongList.h"
#include "util/ShortStrings.h"

void SortByColumn(SongList &list, int column, const Collation &collation)
{
    const int current = list.currentRow();
    const ShortStr currentText = current >= 0 ? list.rowText(current) : ShortStr();
    const std::vector<uint32_t> order = KeyOrder(
        list.count(), [&](size_t row) { return GetField(column, list.rowText(static_cast<int>(row)), TabSet); },
        collation);
    std::vector<TSong *> songs;
    songs.reserve(order.size());
    for (uint32_t row : order)
        songs.push_back(list.song(static_cast<int>(row)));
    list.setSongs(std::move(songs));
    if (current < 0)
        return;
    for (int row = 0; row < list.count(); ++row) {
        if (list.rowText(row) == currentText) {
            list.setCurrentRow(row);
            return;
        }
    }
}
