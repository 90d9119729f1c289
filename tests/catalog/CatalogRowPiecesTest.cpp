// The catalog list's fast paths against the literal ones on random catalogs: the search, which
// filters rows on their texts in place, against upper-casing and searching every built row; and
// type-ahead, which reads a column's first character in place, against the built row's field.

#include "catalog/CatalogRowPieces.h"
#include "catalog/CatalogSearch.h"
#include "catalog/SongList.h"
#include "list/ListNavigation.h"
#include "support/ScriptedDialogs.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {
// Letters of both cases, characters that fold to ASCII ones (long s, Kelvin sign), wide ones,
// and the characters that take part in a row's joints and columns: blank, "-", tab, quote.
const char *const Fragments[] = {"a", "Z", "q", "x", "QX", "7", ":", "é", "É", "ß", "ſ", "\u212a", "k",
                                 "ǅ", "日本", "😀", " ", "  ", "-", " - ", "\t", "\"", ".", "ab"};

struct RandomCatalog : ::testing::Test {
    std::mt19937 random{1234};
    std::vector<std::unique_ptr<TSong>> songs;
    SongList all{&TSong::CatalogRow, true};

    int below(int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); }
    std::string text(int maxFragments)
    {
        std::string t;
        for (int n = below(maxFragments + 1); n > 0; --n)
            t += Fragments[below(std::size(Fragments))];
        return t;
    }
    RandomCatalog()
    {
        const char *const times[] = {"03:25", "", "\"7", "x\tq"};
        for (int i = 0; i < 400; ++i) {
            auto song = std::make_unique<TSong>();
            // Field texts of the line hold no ";", those set afterwards anything; some run long
            // enough for the row to be cut at 255 characters.
            std::string cd = text(3);
            std::replace(cd.begin(), cd.end(), ';', '.');
            song->ParseLine(ShortStr::fromUtf8(cd + "; " + times[below(4)] + "; 1; a; b; c; f"));
            const int longest = i % 10 == 0 ? 120 : 6;
            song->SetTexts(ShortStr::fromUtf8(text(longest)), ShortStr::fromUtf8(text(longest)),
                           ShortStr::fromUtf8(text(longest)), "f");
            all.append(song.get());
            songs.push_back(std::move(song));
        }
    }
    // A piece of some row, often across its joints, in random case; or random text.
    QString needle()
    {
        if (below(4) == 0)
            return QString::fromStdString(text(3));
        const QString row = all.rowText(below(all.count())).toQString();
        QString t = row.mid(below(row.size() + 1), 1 + below(12));
        for (QChar &c : t)
            if (below(2))
                c = c.isUpper() ? c.toLower() : c.toUpper();
        return below(8) == 0 ? t + "a" : t;
    }
};
} // namespace

TEST_F(RandomCatalog, SearchFindsTheRowsThatTheBuiltRowsHold)
{
    ScriptedDialogs dialogs;
    const CatalogSearch search(all, dialogs);
    int found = 0;
    for (int i = 0; i < 3000; ++i) {
        const QString typed = needle();
        const int start = below(all.count() + 2) - 1;
        const ShortStr upper = UpperCaseShort(ShortStr::fromQString(typed));
        int expected = -1;
        for (int row = std::max(0, start); row < all.count() && !upper.empty(); ++row)
            if (UpperCaseShort(all.rowText(row)).pos(upper) > 0) {
                expected = row;
                break;
            }
        ASSERT_EQ(search.findFrom(start, typed), expected) << typed.toStdString() << " from row " << start;
        found += expected >= 0;
    }
    EXPECT_GT(found, 1000);  // both kinds of answer are compared
    EXPECT_LT(found, 2900);
}

TEST_F(RandomCatalog, ColumnStartsAreTheBuiltRowsFields)
{
    for (int row = 0; row < all.count(); ++row)
        for (int column = -1; column <= 8; ++column)
            ASSERT_EQ(all.columnStart(row, column), RowSource::columnStartOf(all.rowText(row), column))
                << all.rowText(row) << " column " << column;
}

TEST_F(RandomCatalog, TypeAheadMovesAsOverBuiltRows)
{
    ListNavigation navigation(all);
    for (int i = 0; i < 300; ++i) {
        const QString typed = QString::fromUtf8(Fragments[below(std::size(Fragments))]).left(1);
        const int column = 1 + below(5);
        const int current = below(all.count() + 1) - 1;
        all.setCurrentRow(current);
        int expected = current;
        const uint wanted = typed.toCaseFolded().toUcs4().value(0);
        for (int step = 1; step <= all.count(); ++step) {
            const int row = (current + step) % all.count();
            const ShortStr text = all.rowText(row);
            const int pos = FieldPos(column, text, TabSet);
            if (pos > 0 && QChar::toCaseFolded(static_cast<uint>(text.at(pos))) == wanted) {
                expected = row;
                break;
            }
        }
        navigation.typeAhead(typed, column);
        ASSERT_EQ(all.currentRow(), expected) << typed.toStdString() << " in column " << column;
    }
}

// A large search runs in two halves at once; the lower half's match wins.
TEST(CatalogSearchHalves, FindTheFirstMatchingRow)
{
    constexpr int Rows = 120000;  // split from any start row below 20,000
    std::vector<std::unique_ptr<TSong>> songs;
    SongList all{&TSong::CatalogRow, true};
    std::vector<TSong *> rows;
    for (int i = 0; i < Rows; ++i) {
        songs.push_back(std::make_unique<TSong>());
        songs.back()->SetTexts(i % 7 ? "Filler" : "xylophone", "Album", "Track", "f");
        rows.push_back(songs.back().get());
    }
    all.setSongs(rows);
    const int marked[] = {5, 40000, 70000, 119999};
    for (int row : marked)
        songs[row]->SetTexts("The Needle", "Album", "Track", "f");
    ScriptedDialogs dialogs;
    const CatalogSearch search(all, dialogs);
    struct Case { int start; int found; };
    const Case cases[] = {{0, 5}, {6, 40000}, {19000, 40000}, {40001, 70000}, {70001, 119999}, {119999, 119999}};
    for (const Case &c : cases)
        EXPECT_EQ(search.findFrom(c.start, "needle"), c.found) << c.start;
    songs[40000]->SetTexts("Filler", "Album", "Track", "f");
    EXPECT_EQ(search.findFrom(6, "needle"), 70000);  // only the upper half has one
    EXPECT_EQ(search.findFrom(6, "no needle"), -1);
}
