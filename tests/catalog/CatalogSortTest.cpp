#include "catalog/Catalog.h"
#include "catalog/CatalogSort.h"
#include "catalog/KeyOrder.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <random>

namespace {
// The artist key as its rule states it: the artist in 40 characters, then album, "-" and track
// cut to 40 characters together.
ShortStr ArtistKey(const TSong &s)
{
    return PadRight(s.Artist().left(40), 40) + PadRight((s.Album() + "-" + s.Track()).left(40), 40);
}

// The key texts as the sort commands define them, built with the short-string helpers.
ShortStr ReferenceKey(SortKind kind, const TSong &s)
{
    switch (kind) {
    case SortKind::Artist: return ArtistKey(s) + s.CDID();
    case SortKind::AlbumTrack: return PadRight(s.Track().left(40), 40) + s.CDID();
    case SortKind::PlayTime: return s.PlayTime() + ArtistKey(s) + s.CDID();
    case SortKind::CD: return PadRight(s.CDID(), 20) + ArtistKey(s);
    case SortKind::None: break;
    }
    return {};
}

// The rows in the order of their reference keys (ties as KeyOrder breaks them, which its own
// test checks against binary insertion), from the last to the first when reversed.
std::vector<TSong *> ReferenceSort(const std::vector<TSong *> &rows, SortKind kind, bool reversed,
                                   const Collation &collation)
{
    std::vector<TSong *> out;
    for (uint32_t i : KeyOrder(rows.size(), [&](size_t i) { return ReferenceKey(kind, *rows[i]); }, collation))
        out.push_back(rows[i]);
    if (reversed)
        std::reverse(out.begin(), out.end());
    return out;
}

struct SortFixture : ::testing::Test {
    std::vector<std::unique_ptr<TSong>> songs;
    SongList all{&TSong::CatalogRow, true};
    Collation collation;
    CatalogSort sorter{all, collation};
    int stateSignals = 0;

    SortFixture()
    {
        QObject::connect(&sorter, &CatalogSort::sortStateChanged, [this] { ++stateSignals; });
    }
    TSong *add(const std::string &artist, const std::string &cd = "CD1", const std::string &time = "01:00",
               const std::string &album = "x", const std::string &track = "t")
    {
        songs.push_back(std::make_unique<TSong>());
        songs.back()->ParseLine(
            ShortStr::fromUtf8(cd + "; " + time + "; 1; " + artist + "; " + album + "; " + track + "; f.mp3"));
        all.append(songs.back().get());
        return songs.back().get();
    }
    // The artists of the rows, joined by commas.
    std::string rows() const
    {
        std::string out;
        for (TSong *s : all.songs())
            out += (out.empty() ? "" : ",") + s->Artist().toUtf8();
        return out;
    }
};
} // namespace

TEST_F(SortFixture, MatchesTheKeyTextsOnRandomDataWithManyTies)
{
    // Few distinct texts, differing in case and accents, so that most keys tie and the tie
    // order, forwards and reversed, decides the outcome. CD1 / CD10 and t / ta show the padding;
    // the long texts agree in the characters (not bytes or UTF-16 units) that their key column
    // holds, or differ in the last of them; albums of 39 to 41 characters leave room for the "-"
    // and none of the track, or none for either.
    const char *cds[] = {"CD1", "cd1", "CD10", "CD2", "É9", "ABCDEFGHIJKLMNOPQRSTUVW", "ABCDEFGHIJKLMNOPQRSA"};
    const char *times[] = {"03:25", "3:25", "100:00", "10:59", "11:00", "03:25"};
    const std::string artist40 = "Åsa Ärlig Ölund Ñandú Кино Zoë Björk 123", track40 = "Ça va " + std::string(34, 't');
    const std::string artists[] = {"abc", "ABC", "Abd", "é", "E", " ", "Émile", artist40 + "45678", artist40 + "00000",
                                   "\U0001F3B5" + artist40, "\U0001F3B5" + artist40.substr(0, 39) + "\U0001F3B6"};
    const std::string album39 = "Album \U0001F3B5 " + std::string(31, 'a');
    const std::string albums[] = {"x", "X", "y", " ", album39, album39 + "_", album39 + "bc"};
    const std::string tracks[] = {"t", "T", "ta", "u", track40 + " zz", track40 + " aa"};
    std::mt19937 rng(42);
    auto pick = [&rng](const auto &list) { return list[rng() % std::size(list)]; };
    for (int i = 0; i < 250; ++i)
        add(pick(artists), pick(cds), pick(times), pick(albums), pick(tracks));

    const SortKind steps[] = {SortKind::Artist, SortKind::AlbumTrack, SortKind::PlayTime, SortKind::CD,
                              SortKind::Artist, SortKind::CD};
    for (int step = 0; step < 12; ++step) {
        const SortKind kind = steps[step % std::size(steps)];
        const bool reversed = step >= 3 && step % 2 == 1;
        if (sorter.reversed() != reversed)
            sorter.ReversedSortClick();
        const std::vector<TSong *> expected = ReferenceSort(all.songs(), kind, reversed, collation);
        sorter.Sort(kind, true);
        ASSERT_EQ(all.songs(), expected) << "step " << step;
    }
}

TEST_F(SortFixture, MenuAndComboStateFollowTheKey)
{
    struct Step { std::function<void()> command; SortKind key; int index; bool reversed; bool signalled; };
    const Step steps[] = {
        {[] {}, SortKind::None, 0, false, false},  // the state before any sort
        {[&] { sorter.SortbySong1Click(); }, SortKind::AlbumTrack, 1, false, true},
        {[&] { sorter.SortbySong1Click(); }, SortKind::AlbumTrack, 1, false, false},  // already in force
        {[&] { sorter.SortbyCD1Click(); }, SortKind::CD, 2, false, true},
        {[&] { sorter.SortbyTime1Click(); }, SortKind::PlayTime, 3, false, true},
        {[&] { sorter.SortbyBand1Click(); }, SortKind::Artist, 0, false, true},
        {[&] { sorter.SortByChange(2); }, SortKind::CD, 2, false, true},
        {[&] { sorter.SortByChange(2); }, SortKind::CD, 2, false, false},
        {[&] { sorter.SortByChange(4); }, SortKind::CD, 2, false, false},
        {[&] { sorter.SortByChange(-1); }, SortKind::CD, 2, false, false},
        {[&] { sorter.SortByChange(1); }, SortKind::AlbumTrack, 1, false, true},
        {[&] { sorter.ReversedSortClick(); }, SortKind::AlbumTrack, 1, true, true},
        {[&] { sorter.SortByChange(3); }, SortKind::PlayTime, 3, true, true},
        {[&] { sorter.ReversedSortClick(); }, SortKind::PlayTime, 3, false, true},
    };
    for (size_t i = 0; i < std::size(steps); ++i) {
        stateSignals = 0;
        steps[i].command();
        EXPECT_EQ(sorter.keyInForce(), steps[i].key) << i;
        EXPECT_EQ(sorter.sortByIndex(), steps[i].index) << i;
        EXPECT_EQ(sorter.reversed(), steps[i].reversed) << i;
        EXPECT_EQ(stateSignals > 0, steps[i].signalled) << i;
    }
}

TEST_F(SortFixture, WhenTheListIsReordered)
{
    for (const char *a : {"c", "a", "b"})
        add(a);
    all.setCurrentRow(2);
    // With no key in force Reversed only sets the mark and SortAgain does nothing.
    sorter.ReversedSortClick();
    sorter.SortAgain();
    EXPECT_EQ(sorter.keyInForce(), SortKind::None);
    EXPECT_EQ(rows(), "c,a,b");
    // The mark counts from the first sort on.
    sorter.SortbyBand1Click();
    EXPECT_EQ(rows(), "c,b,a");
    EXPECT_EQ(all.currentRow(), 1);

    // The key in force again changes nothing, not even a row that no sort would put there.
    add("bb");
    all.setCurrentRow(2);
    all.setSelected(1, true);
    all.setSelected(2, true);
    all.setTopRow(1);
    for (const auto &command : std::vector<std::function<void()>>{[&] { sorter.SortbyBand1Click(); },
                                                                  [&] { sorter.SortByChange(0); }}) {
        command();
        EXPECT_EQ(rows(), "c,b,a,bb");
        EXPECT_EQ(all.currentRow(), 2);
        EXPECT_EQ(all.selectedRows(), (std::vector<int>{1, 2}));
        EXPECT_EQ(all.topRow(), 1);
    }
    // After an import SortAgain applies the key in force.
    sorter.SortAgain();
    EXPECT_EQ(rows(), "c,bb,b,a");

    // Without a current row nothing is current or selected afterwards.
    all.setCurrentRow(-1);
    all.setSelected(0, true);
    all.setTopRow(1);
    sorter.SortbyCD1Click();
    EXPECT_EQ(all.currentRow(), -1);
    EXPECT_EQ(all.selectedCount(), 0);
    EXPECT_EQ(all.topRow(), 0);
}

TEST_F(SortFixture, CurrentRecordFoundByIdentityAndScrolledToTop)
{
    // Two records with the same texts: only identity tells them apart.
    TSong *twinA = add("same");
    TSong *twinB = add("same");
    for (const char *a : {"z", "y", "a", "m"})
        add(a);
    all.setCurrentRow(1);  // twinB
    all.setSelected(0, true);
    all.setSelected(4, true);
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "reversed" : "forward");
        reversed ? sorter.ReversedSortClick() : sorter.SortbyBand1Click();
        EXPECT_EQ(rows(), reversed ? "z,y,same,same,m,a" : "a,m,same,same,y,z");
        // Equal keys come later record first, and keep that order when the list is reversed.
        EXPECT_EQ(all.song(2), twinB);
        EXPECT_EQ(all.song(3), twinA);
        EXPECT_EQ(all.currentRow(), 2);
        EXPECT_EQ(all.topRow(), 2);
        EXPECT_EQ(all.selectedRows(), std::vector<int>{2});
    }
}

TEST(CatalogLoadSort, EveryLoadSortsByArtistAndKeepsReversed)
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Catalog catalog(dialogs, dir.path(), "ZEMLO");
    const QString file = dir.filePath("c.lst");
    WriteFileBytes(file, CatalogFileBytes({"CD2; 01:00; 1; beta; x; one; f1", "CD1; 01:00; 1; Alpha; x; two; f2",
                                           "CD3; 01:00; 1; alpha; x; two; f3", "CD1; 01:00; 1; gamma; x; t; f4"}));
    CatalogSort &sorter = catalog.sorter();
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "reversed" : "forward");
        if (reversed)
            sorter.ReversedSortClick();
        sorter.SortbyCD1Click();
        ASSERT_TRUE(catalog.LoadCatalog(file));
        EXPECT_EQ(sorter.keyInForce(), SortKind::Artist);
        EXPECT_EQ(sorter.sortByIndex(), 0);
        EXPECT_EQ(sorter.reversed(), reversed);
        EXPECT_EQ(catalog.all().currentRow(), -1);
        EXPECT_EQ(catalog.all().song(0)->Artist(), ShortStr(reversed ? "gamma" : "Alpha"));
        EXPECT_EQ(catalog.all().song(3)->Artist(), ShortStr(reversed ? "Alpha" : "gamma"));
    }
    // Saving still writes the artist-key order, whatever the list shows.
    ASSERT_TRUE(catalog.SaveCatalog(dir.filePath("out.lst")));
    const QList<QByteArray> lines = ReadFileBytes(dir.filePath("out.lst")).split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[2].startsWith("CD1       ; 01:00; 00000001; Alpha;")) << lines[2].toStdString();
    EXPECT_TRUE(lines[5].contains("gamma"));
}
