#include "catalog/KeyOrder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace {
// The order that inserting each item, in index order, by binary search into a sorted list
// gives, when a new item goes in front of the equal ones already there.
std::vector<uint32_t> BinaryInsertionOrder(const std::vector<ShortStr> &keys, const Collation &collation)
{
    std::vector<uint32_t> list;
    for (uint32_t i = 0; i < keys.size(); ++i)
        list.insert(std::lower_bound(list.begin(), list.end(), i,
                                     [&](uint32_t a, uint32_t b) { return collation.compare(keys[a], keys[b]) < 0; }),
                    i);
    return list;
}

// The order of the collation's sort keys; equal keys later item first, as binary insertion gives.
std::vector<uint32_t> SortKeyOrder(const std::vector<ShortStr> &keys, const Collation &collation)
{
    std::vector<std::string> sortKeys(keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
        collation.appendSortKey(keys[i], sortKeys[i]);
    std::vector<uint32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        return sortKeys[a] != sortKeys[b] ? sortKeys[a] < sortKeys[b] : a > b;
    });
    return order;
}

// Texts full of blanks and of letters that compare equal but for case, with runs of blanks
// long enough to need more than one length code.
std::vector<ShortStr> RandomTexts(size_t count, uint32_t seed)
{
    static const char32_t alphabet[] = U" aAbBeé-0z\u00e9\u00c9\u0416\U0001F3B5";
    std::mt19937 rng(seed);
    std::vector<ShortStr> texts;
    for (size_t i = 0; i < count; ++i) {
        std::u32string t;
        for (uint32_t parts = rng() % 4; parts > 0; --parts) {
            const uint32_t kind = rng() % 5;
            if (kind < 2)
                t.append(rng() % (kind == 0 ? 300 : 4), U' ');
            else
                t.append(1 + rng() % 3, alphabet[rng() % (std::size(alphabet) - 1)]);
        }
        texts.emplace_back(t);
    }
    return texts;
}
} // namespace

TEST(KeyOrder, MatchesBinaryInsertionWithManyTies)
{
    // Random texts, and blanks against what follows a shorter or longer run of them and the end
    // of the text.
    const std::vector<ShortStr> blankRuns = {"a b", "a  b", "a", "a ", "a  ", "a\t", "a  -", "a -", "A  B", "a!",
                                             ShortStr(std::u32string(130, U' ') + U"x"),
                                             ShortStr(std::u32string(126, U' ') + U"x"),
                                             ShortStr(std::u32string(127, U' ') + U"x"),
                                             ShortStr(std::u32string(252, U' ')), ShortStr(std::u32string(253, U' '))};
    Collation collation;
    for (const std::vector<ShortStr> &keys : {RandomTexts(0, 1), RandomTexts(1, 2), RandomTexts(400, 3),
                                              RandomTexts(400, 4), RandomTexts(400, 5), blankRuns}) {
        SCOPED_TRACE(keys.size() ? keys[0].toUtf8() : "none");
        const std::vector<uint32_t> expected = BinaryInsertionOrder(keys, collation);
        EXPECT_EQ(KeyOrder(keys.size(), [&](size_t i) { return keys[i]; }, collation), expected);
        const KeyTextFn byText = [&](size_t i, Utf16Text &text) { text.append(keys[i].chars()); };
        EXPECT_EQ(KeyOrder(keys.size(), byText, collation), expected);
    }
}

TEST(KeyOrder, LargeCountsSortedInPartsGiveTheSameOrder)
{
    // Enough items for the keys to be built on several threads; few distinct texts, so most
    // items tie and the reversed tie order shows any mistake in joining the parts.
    Collation collation;
    const std::vector<ShortStr> pool = RandomTexts(60, 9);
    std::vector<ShortStr> keys;
    std::mt19937 rng(5);
    for (int i = 0; i < 60000; ++i)
        keys.push_back(pool[rng() % pool.size()]);
    EXPECT_EQ(KeyOrder(keys.size(), [&](size_t i) { return keys[i]; }, collation), SortKeyOrder(keys, collation));
}

// Lists in order or nearly, as a catalog is read back after a save, are ordered by comparing
// neighbours; the order must be the one that the sort by keys gives, ties included.
TEST(KeyOrder, NearlySortedListsGiveTheSortedOrder)
{
    Collation collation;
    const std::vector<ShortStr> pool = RandomTexts(3000, 11);
    std::vector<ShortStr> sorted;
    for (int copy = 0; copy < 20; ++copy)  // 60,000 items: the walk is shared out in parts
        sorted.insert(sorted.end(), pool.begin(), pool.end());
    std::vector<ShortStr> inOrder;
    for (uint32_t i : SortKeyOrder(sorted, collation))
        inOrder.push_back(sorted[i]);

    std::mt19937 rng(3);
    auto displaced = [&](std::vector<ShortStr> keys, size_t moves) {
        for (size_t m = 0; m < moves; ++m) {
            const size_t from = rng() % keys.size(), to = rng() % keys.size();
            const ShortStr moved = keys[from];
            keys.erase(keys.begin() + from);
            keys.insert(keys.begin() + to, moved);
        }
        return keys;
    };
    // A list shown reversed is walked from its end, where equal keys are met in the other order.
    const std::vector<ShortStr> reversed(inOrder.rbegin(), inOrder.rend());
    std::vector<ShortStr> halves(inOrder.begin() + inOrder.size() / 2, inOrder.end());
    halves.insert(halves.end(), inOrder.begin(), inOrder.begin() + inOrder.size() / 2);
    for (const std::vector<ShortStr> &keys : {inOrder, displaced(inOrder, 1), displaced(inOrder, 50),
                                              displaced(inOrder, 1500), reversed, displaced(reversed, 50), halves}) {
        const KeyTextFn byText = [&](size_t i, Utf16Text &text) { text.append(keys[i].chars()); };
        EXPECT_EQ(KeyOrder(keys.size(), byText, collation), SortKeyOrder(keys, collation));
    }
}
