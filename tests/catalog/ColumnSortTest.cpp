#include "catalog/ColumnSort.h"

#include "catalog/SongList.h"
#include "util/Collation.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
// Rows whose text is exactly the given text (the record's artist text is used as the row).
struct Rows {
    explicit Rows(const std::vector<const char *> &texts) : list(&TSong::Artist, true)
    {
        for (const char *t : texts) {
            songs.push_back(std::make_unique<TSong>());
            songs.back()->SetTexts(t, "", "", "");
            list.append(songs.back().get());
        }
    }
    // Row order as indexes into the original rows.
    std::vector<int> order() const
    {
        std::vector<int> out;
        for (int row = 0; row < list.count(); ++row)
            for (size_t i = 0; i < songs.size(); ++i)
                if (list.song(row) == songs[i].get())
                    out.push_back(static_cast<int>(i));
        return out;
    }
    std::vector<std::unique_ptr<TSong>> songs;
    SongList list;
};
} // namespace

TEST(ColumnSort, OrdersByTheColumnTextKeepingTheCurrentText)
{
    // Row 1 is selected before each sort; current: the current row, -1 for none.
    struct Case { std::vector<const char *> rows; int column; std::vector<int> expected; int current = -1, currentAfter = -1; };
    const Case cases[] = {
        {{"b\t2", "C\t1", "a\t3"}, 1, {2, 0, 1}},
        {{"b\t2", "C\t1", "a\t3"}, 2, {1, 0, 2}},
        // Case is ignored and equal keys come out later row first.
        {{"x\tAlpha", "y\tbeta", "z\talpha"}, 2, {2, 0, 1}},
        // Accented letters sort with their base letter, not after z.
        {{"Fox", "\xc3\x89mile", "Eagle", "zebra"}, 1, {2, 1, 0, 3}},
        // Empty fields are skipped, so a row without an artist gives its second text.
        {{"\tb", "a\tz"}, 1, {1, 0}},
        // A column that no row has: all keys equal, so the order turns round.
        {{"a", "b", "c"}, 5, {2, 1, 0}},
        {{"c", "a", "b"}, 1, {1, 2, 0}, 0, 2},
        // Two rows with the same text: the first row with that text becomes current, not the record.
        {{"b\tsame", "a\tfirst", "b\tsame"}, 2, {1, 2, 0}, 2, 1},
    };
    const Collation collation;
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.rows[0]) + " column " + std::to_string(c.column));
        Rows rows(c.rows);
        rows.list.setCurrentRow(c.current);
        rows.list.setSelected(1, true);
        SortByColumn(rows.list, c.column, collation);
        EXPECT_EQ(rows.order(), c.expected);
        EXPECT_EQ(rows.list.currentRow(), c.currentAfter);
        EXPECT_EQ(rows.list.selectedCount(), 0);
    }
}
