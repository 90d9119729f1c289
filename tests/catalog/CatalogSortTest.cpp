#include "catalog/Catalog.h"
#include "catalog/CatalogSort.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "util/ShortStrings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>

namespace {
std::unique_ptr<TSong> Song(const std::string &cd, const std::string &time, const std::string &artist,
                            const std::string &album, const std::string &track)
{
    auto song = std::make_unique<TSong>();
    song->ParseLine(ShortStr::fromUtf8(cd + "; " + time + "; 1; " + artist + "; " + album + "; " + track + "; f.mp3"),
                    nullptr);
    return song;
}

ShortStr Blanks(int n)
{
    return PadRight("", n);
}

// The key texts as the sort commands define them, built with the short-string helpers.
ShortStr ReferenceKey(SortKind kind, const TSong &s)
{
    switch (kind) {
    case SortKind::Artist:
        return s.ArtistKey() + s.CDID();
    case SortKind::AlbumTrack:
        return PadRight(s.Track().left(40), 40) + s.CDID();
    case SortKind::PlayTime:
        return s.PlayTime() + s.ArtistKey() + s.CDID();
    case SortKind::CD:
        return PadRight(s.CDID(), 20) + s.ArtistKey();
    case SortKind::None:
        break;
    }
    return {};
}

// Each record in list order inserted by binary search, in front of equal keys; read back from
// the last to the first when reversed.
std::vector<TSong *> ReferenceSort(const std::vector<TSong *> &rows, SortKind kind, bool reversed,
                                   const Collation &collation)
{
    std::vector<std::pair<ShortStr, TSong *>> list;
    for (TSong *s : rows) {
        const ShortStr key = ReferenceKey(kind, *s);
        size_t lo = 0, hi = list.size();
        while (lo < hi) {
            const size_t mid = (lo + hi) / 2;
            if (collation.compare(list[mid].first, key) < 0)
                lo = mid + 1;
            else
                hi = mid;
        }
        list.insert(list.begin() + static_cast<long>(lo), {key, s});
    }
    std::vector<TSong *> out;
    for (const auto &entry : list)
        out.push_back(entry.second);
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
    TSong *add(std::unique_ptr<TSong> song)
    {
        songs.push_back(std::move(song));
        all.append(songs.back().get());
        return songs.back().get();
    }
    std::vector<ShortStr> artists() const
    {
        std::vector<ShortStr> out;
        for (TSong *s : all.songs())
            out.push_back(s->Artist());
        return out;
    }
};
} // namespace

TEST(SortKeyText, KeysOfEachSort)
{
    const auto s = Song("CD1", "03:25", "Abc", "Al", "Tr");
    const ShortStr artistKey = "Abc" + Blanks(37) + "Al-Tr" + Blanks(35);
    ASSERT_EQ(s->ArtistKey(), artistKey);
    struct Case { SortKind kind; ShortStr key; };
    const Case cases[] = {
        {SortKind::Artist, artistKey + "CD1"},
        {SortKind::AlbumTrack, "Tr" + Blanks(38) + "CD1"},  // the album takes no part
        {SortKind::PlayTime, "03:25" + artistKey + "CD1"},
        {SortKind::CD, "CD1" + Blanks(17) + artistKey},
    };
    for (const auto &c : cases) {
        std::u32string text;
        AppendSortKeyText(c.kind, *s, text);
        EXPECT_EQ(ShortStr(text), c.key) << static_cast<int>(c.kind);
    }
}

TEST(SortKeyText, LongTextsAreCutToTheirColumns)
{
    // Characters, not bytes: accented and non-Latin letters count one each.
    const std::string artist45 = "Åsa Ärlig Ölund Ñandú Кино Zoë Björk 12345678";
    const std::string album39(39, 'b');
    const std::string track50 = "Ça va " + std::string(44, 't');
    const auto s = Song("ABCDEFGHIJKLMNOPQRSTUVW", "100:00", artist45, album39, track50);
    EXPECT_EQ(s->CDID(), ShortStr("ABCDEFGHIJKLMNOPQRST"));
    const ShortStr artistKey = ShortStr::fromUtf8(artist45).left(40) + ShortStr::fromUtf8(album39) + "-";
    ASSERT_EQ(s->ArtistKey(), artistKey);
    struct Case { SortKind kind; ShortStr key; };
    const Case cases[] = {
        {SortKind::Artist, artistKey + "ABCDEFGHIJKLMNOPQRST"},
        {SortKind::AlbumTrack, ShortStr::fromUtf8(track50).left(40) + "ABCDEFGHIJKLMNOPQRST"},
        {SortKind::PlayTime, "100:0" + artistKey + "ABCDEFGHIJKLMNOPQRST"},
        {SortKind::CD, "ABCDEFGHIJKLMNOPQRST" + artistKey},
    };
    for (const auto &c : cases) {
        std::u32string text;
        AppendSortKeyText(c.kind, *s, text);
        EXPECT_EQ(ShortStr(text), c.key) << static_cast<int>(c.kind);
    }
}

TEST_F(SortFixture, MatchesBinaryInsertionOnRandomDataWithManyTies)
{
    // Few distinct texts, differing in case and accents, so that most keys tie and the tie
    // order, forwards and reversed, decides the outcome.
    const char *cds[] = {"CD1", "cd1", "CD2", "É9"};
    const char *times[] = {"03:25", "3:25", "100:0", "10:59", "11:00", "03:25"};
    const char *artists[] = {"abc", "ABC", "Abd", "é", "E", " ", "Émile"};
    const char *albums[] = {"x", "X", "y", " "};
    const char *tracks[] = {"t", "T", "u", "A long title that runs on beyond forty characters, with more"};
    std::mt19937 rng(42);
    auto pick = [&rng](const auto &list) { return list[rng() % std::size(list)]; };
    for (int i = 0; i < 250; ++i)
        add(Song(pick(cds), pick(times), pick(artists), pick(albums), pick(tracks)));

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
    EXPECT_EQ(sorter.keyInForce(), SortKind::None);
    EXPECT_EQ(sorter.sortByIndex(), 0);
    EXPECT_FALSE(sorter.reversed());
    for (SortKind k : {SortKind::Artist, SortKind::AlbumTrack, SortKind::CD, SortKind::PlayTime})
        EXPECT_FALSE(sorter.isChecked(k));

    struct Step { std::function<void()> command; SortKind key; int index; bool reversed; bool signalled; };
    const Step steps[] = {
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
        for (SortKind k : {SortKind::Artist, SortKind::AlbumTrack, SortKind::CD, SortKind::PlayTime})
            EXPECT_EQ(sorter.isChecked(k), k == steps[i].key) << i;
    }
}

TEST_F(SortFixture, ReversedWithNoKeyOnlyTogglesTheMark)
{
    add(Song("CD1", "01:00", "b", "x", "t"));
    add(Song("CD1", "01:00", "a", "x", "t"));
    all.setCurrentRow(1);
    sorter.ReversedSortClick();
    EXPECT_TRUE(sorter.reversed());
    EXPECT_EQ(sorter.keyInForce(), SortKind::None);
    EXPECT_EQ(artists(), (std::vector<ShortStr>{"b", "a"}));
    EXPECT_EQ(all.currentRow(), 1);
    // The mark counts from the first sort on.
    sorter.SortbyBand1Click();
    EXPECT_EQ(artists(), (std::vector<ShortStr>{"b", "a"}));
    EXPECT_EQ(all.currentRow(), 1);
}

TEST_F(SortFixture, SameKeyAgainChangesNothing)
{
    for (const char *a : {"c", "a", "b", "d"})
        add(Song("CD1", "01:00", a, "x", "t"));
    sorter.SortbyBand1Click();
    // Rows that no sort would give: the user moved nothing, but a re-sort would show.
    std::vector<TSong *> rows = all.songs();
    std::swap(rows[0], rows[3]);
    all.setSongs(rows);
    all.setCurrentRow(2);
    all.setSelected(1, true);
    all.setSelected(2, true);
    all.setTopRow(1);
    for (const auto &command : std::vector<std::function<void()>>{[&] { sorter.SortbyBand1Click(); },
                                                                  [&] { sorter.SortByChange(0); }}) {
        command();
        EXPECT_EQ(all.songs(), rows);
        EXPECT_EQ(all.currentRow(), 2);
        EXPECT_EQ(all.selectedRows(), (std::vector<int>{1, 2}));
        EXPECT_EQ(all.topRow(), 1);
    }
}

TEST_F(SortFixture, CurrentRecordFoundByIdentityAndScrolledToTop)
{
    // Two records with the same texts: only identity tells them apart.
    TSong *twinA = add(Song("CD1", "01:00", "same", "x", "t"));
    TSong *twinB = add(Song("CD1", "01:00", "same", "x", "t"));
    for (const char *a : {"z", "y", "a", "m"})
        add(Song("CD1", "01:00", a, "x", "t"));
    all.setCurrentRow(1);  // twinB
    all.setSelected(0, true);
    all.setSelected(4, true);
    sorter.SortbyBand1Click();
    // a, m, same (B: equal keys come reversed), same (A), y, z
    EXPECT_EQ(all.song(2), twinB);
    EXPECT_EQ(all.song(3), twinA);
    EXPECT_EQ(all.currentRow(), 2);
    EXPECT_EQ(all.topRow(), 2);
    EXPECT_EQ(all.selectedRows(), std::vector<int>{2});

    sorter.ReversedSortClick();
    // z, y, same (B), same (A), m, a: equal keys keep their order when reversed.
    EXPECT_EQ(artists(), (std::vector<ShortStr>{"z", "y", "same", "same", "m", "a"}));
    EXPECT_EQ(all.song(2), twinB);
    EXPECT_EQ(all.currentRow(), 2);
    EXPECT_EQ(all.topRow(), 2);
    EXPECT_EQ(all.selectedRows(), std::vector<int>{2});

    sorter.ReversedSortClick();
    EXPECT_EQ(artists(), (std::vector<ShortStr>{"a", "m", "same", "same", "y", "z"}));
    EXPECT_EQ(all.song(all.currentRow()), twinB);
    EXPECT_EQ(all.topRow(), all.currentRow());
}

TEST_F(SortFixture, WithoutCurrentRowNothingIsCurrentOrSelected)
{
    for (const char *a : {"b", "a", "c"})
        add(Song("CD1", "01:00", a, "x", "t"));
    all.setSelected(0, true);
    all.setSelected(2, true);
    sorter.SortbyCD1Click();
    EXPECT_EQ(all.currentRow(), -1);
    EXPECT_EQ(all.selectedCount(), 0);
    EXPECT_EQ(all.topRow(), 0);
}

TEST_F(SortFixture, EmptyListSorts)
{
    sorter.SortbyTime1Click();
    EXPECT_EQ(all.count(), 0);
    EXPECT_EQ(all.currentRow(), -1);
    EXPECT_EQ(sorter.keyInForce(), SortKind::PlayTime);
}

TEST_F(SortFixture, OrderRules)
{
    struct Case { SortKind kind; std::vector<std::vector<std::string>> records; std::vector<std::string> expectedTracks; };
    // Records: CD, time, artist, album, track. Expected: the tracks in the sorted order.
    const Case cases[] = {
        // Case is ignored and the next part decides; abc before ABD.
        {SortKind::Artist, {{"C", "01:00", "ABD", "a", "1"}, {"C", "01:00", "abc", "b", "2"}, {"C", "01:00", "ABC", "a", "3"}},
         {"3", "2", "1"}},
        // Only the first 40 characters of the artist count.
        {SortKind::Artist, {{"C", "01:00", std::string(40, 'q') + "Z", "a", "1"}, {"C", "01:00", std::string(40, 'q') + "A", "b", "2"}},
         {"1", "2"}},
        // Album & Track orders by the track alone, then by CD ID.
        {SortKind::AlbumTrack, {{"C2", "01:00", "x", "Zebra", "beta"}, {"C1", "01:00", "y", "Aardvark", "gamma"}, {"C1", "01:00", "z", "Mid", "Alpha"}},
         {"Alpha", "beta", "gamma"}},
        {SortKind::AlbumTrack, {{"C2", "01:00", "x", "a", std::string(40, 't') + "1"}, {"C1", "01:00", "x", "a", std::string(40, 't') + "2"}},
         {std::string(40, 't') + "2", std::string(40, 't') + "1"}},
        // Play times compare as texts: 100 minutes sorts between 10 and 11 minutes.
        {SortKind::PlayTime, {{"C", "11:00", "a", "a", "11"}, {"C", "100:00", "a", "a", "100"}, {"C", "10:59", "a", "a", "10"}, {"C", "09:00", "a", "a", "9"}},
         {"9", "10", "100", "11"}},
        // CD IDs padded to 20, then the artist key.
        {SortKind::CD, {{"CD10", "01:00", "a", "a", "1"}, {"CD2", "01:00", "a", "a", "2"}, {"cd1", "01:00", "b", "a", "3"}, {"CD1", "01:00", "a", "a", "4"}},
         {"4", "3", "1", "2"}},
    };
    for (const auto &c : cases) {
        SongList list{&TSong::CatalogRow, true};
        CatalogSort sort{list, collation};
        std::vector<std::unique_ptr<TSong>> records;
        for (const auto &r : c.records) {
            records.push_back(Song(r[0], r[1], r[2], r[3], r[4]));
            list.append(records.back().get());
        }
        sort.Sort(c.kind, true);
        std::vector<std::string> tracks;
        for (TSong *s : list.songs())
            tracks.push_back(s->Track().toUtf8());
        EXPECT_EQ(tracks, c.expectedTracks) << static_cast<int>(c.kind);
    }
}

TEST_F(SortFixture, SortAgainAppliesTheKeyInForce)
{
    add(Song("CD1", "01:00", "b", "x", "t"));
    add(Song("CD1", "01:00", "a", "x", "t"));
    sorter.SortAgain();  // no key was ever in force
    EXPECT_EQ(artists(), (std::vector<ShortStr>{"b", "a"}));
    sorter.SortbyBand1Click();
    add(Song("CD1", "01:00", "0", "x", "t"));
    sorter.SortbyBand1Click();  // the same key again: no re-sort
    EXPECT_EQ(artists(), (std::vector<ShortStr>{"a", "b", "0"}));
    sorter.SortAgain();
    EXPECT_EQ(artists(), (std::vector<ShortStr>{"0", "a", "b"}));
}

TEST(CatalogLoadSort, EveryLoadSortsByArtistAndKeepsReversed)
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Catalog catalog(dialogs, ShortStr::fromQString(dir.path()), "ZEMLO");
    const QString file = dir.filePath("c.lst");
    WriteFileBytes(file, CatalogFileBytes({"CD2; 01:00; 1; beta; x; one; f1", "CD1; 01:00; 1; Alpha; x; two; f2",
                                           "CD3; 01:00; 1; alpha; x; two; f3", "CD1; 01:00; 1; gamma; x; t; f4"}));
    CatalogSort &sorter = catalog.sorter();
    sorter.SortbyCD1Click();
    catalog.DBFileName = ShortStr::fromQString(file);
    ASSERT_TRUE(catalog.LoadCatalog(catalog.DBFileName));
    EXPECT_EQ(sorter.keyInForce(), SortKind::Artist);
    EXPECT_EQ(sorter.sortByIndex(), 0);
    EXPECT_TRUE(sorter.isChecked(SortKind::Artist));
    EXPECT_FALSE(sorter.isChecked(SortKind::CD));
    auto cds = [&] {
        QStringList out;
        for (TSong *s : catalog.all.songs())
            out << s->CDID().toQString();
        return out;
    };
    // Alpha and alpha tie but for the CD ID at the end of the key.
    EXPECT_EQ(cds(), (QStringList{"CD1", "CD3", "CD2", "CD1"}));
    EXPECT_EQ(catalog.all.song(0)->Artist(), ShortStr("Alpha"));
    EXPECT_EQ(catalog.all.currentRow(), -1);
    EXPECT_EQ(catalog.allTotal(), "4 files,      0MB, 00:04:00 total.");

    sorter.ReversedSortClick();
    ASSERT_TRUE(catalog.LoadCatalog(catalog.DBFileName));
    EXPECT_TRUE(sorter.reversed());
    EXPECT_EQ(catalog.all.song(0)->Artist(), ShortStr("gamma"));
    EXPECT_EQ(catalog.all.song(3)->Artist(), ShortStr("Alpha"));

    // Saving still writes the artist-key order, whatever the list shows.
    ASSERT_TRUE(catalog.SaveCatalog(ShortStr::fromQString(dir.filePath("out.lst"))));
    const QList<QByteArray> lines = ReadFileBytes(dir.filePath("out.lst")).split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_TRUE(lines[2].startsWith("CD1       ; 01:00; 00000001; Alpha;")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("CD3       ; 01:00; 00000001; alpha;")) << lines[3].toStdString();
    EXPECT_TRUE(lines[5].contains("gamma"));
}
