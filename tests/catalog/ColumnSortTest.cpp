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

TEST(ColumnSort, OrdersByTheColumnText)
{
    struct Case { std::vector<const char *> rows; int column; std::vector<int> expected; };
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
    };
    const Collation collation;
    for (const Case &c : cases) {
        Rows rows(c.rows);
        SortByColumn(rows.list, c.column, collation);
        EXPECT_EQ(rows.order(), c.expected) << c.rows[0] << " column " << c.column;
    }
}

TEST(ColumnSort, CurrentRowFollowsItsTextAndSelectionIsCleared)
{
    const Collation collation;
    Rows rows({"c", "a", "b"});
    rows.list.setCurrentRow(0);
    rows.list.setSelected(1, true);
    SortByColumn(rows.list, 1, collation);
    EXPECT_EQ(rows.order(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(rows.list.currentRow(), 2);
    EXPECT_EQ(rows.list.selectedCount(), 0);
}

TEST(ColumnSort, CurrentRowIsTheFirstRowWithTheSameText)
{
    const Collation collation;
    // Two records with the same text: the later one is current before the sort.
    Rows rows({"b\tsame", "a\tfirst", "b\tsame"});
    rows.list.setCurrentRow(2);
    SortByColumn(rows.list, 2, collation);
    // Order by column 2: "first", then the two equal keys with the later row in front.
    EXPECT_EQ(rows.order(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(rows.list.currentRow(), 1);
}

TEST(ColumnSort, NoCurrentRowStaysWithoutOne)
{
    const Collation collation;
    Rows rows({"b", "a"});
    SortByColumn(rows.list, 1, collation);
    EXPECT_EQ(rows.order(), (std::vector<int>{1, 0}));
    EXPECT_EQ(rows.list.currentRow(), -1);
}
