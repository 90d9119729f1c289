#include "catalog/Catalog.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {
struct CatalogFixture : ::testing::Test {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    Catalog catalog{dialogs, dir.path(), "ZEMLO"};

    QString path(const QString &name) const { return dir.filePath(name); }
    bool load(const QString &name)
    {
        catalog.setDBFileName(name);
        return catalog.LoadCatalog(catalog.DBFileName());
    }
    // Each row's text and file name.
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < catalog.all().count(); ++i)
            out << catalog.all().rowText(i).toQString() + "\t" + catalog.all().song(i)->FileName().toQString();
        return out;
    }
};
} // namespace

// What a file's bytes read as. Two header lines are always skipped; CR, CR LF and LF end lines;
// an empty line is a track, reported with its text; Ctrl+Z ends the file; a line is cut to 255
// characters; a file that is not valid UTF-8 is Windows-1252. Rows stay in file order here.
TEST_F(CatalogFixture, ReadingRules)
{
    catalog.sortOnLoad = false;
    const QString none = "0 files,      0MB, 00:00:00 total.", one = "1 files,      0MB, 00:00:01 total.";
    struct Case { const char *name; QByteArray bytes; QStringList rows; QString total; QStringList asked; };
    const Case cases[] = {
        {"no bytes", QByteArray(), {}, none, {}},
        {"header only", "title\r\nruler\r\n", {}, none, {}},
        {"header without a line end", "title\r\nruler", {}, none, {}},
        {"line ends, empty line, Ctrl+Z",
         "A; 00:01; 1; a; b; c; f1\r\nB; 00:01; 1; a; b; c; f2\r\nC; 00:02; 200; x; y; z; f3\r\n\r\n"
         "D; 01:00; 300; x; y; z; f4\nE; 00:03; 0; x; y; z; f5\rF; 00:04; 0; x; y; z; f6\x1aG; 1; 1; 1; 1; 1; 1\r\n",
         {"x\ty - z\t00:02\tC\tf3", " \t \t \t \t ", "x\ty - z\t01:00\tD\tf4", "x\ty - z\t00:03\tE\tf5",
          "x\ty - z\t00:04\tF\tf6"},
         "5 files,      0MB, 00:01:09 total.", {""}},
        {"long line", CatalogFileBytes({"CD; 00:01; 1; a; b; c; " + QByteArray(300, 'f')}),
         {"a\tb - c\t00:01\tCD\t" + QString(255 - 23, 'f')}, one, {}},
        {"UTF-8", CatalogFileBytes({"CD; 00:01; 1; Sœur Kovač; b; c; f"}), {"Sœur Kovač\tb - c\t00:01\tCD\tf"}, one, {}},
        {"Windows-1252", CatalogFileBytes({"CD; 00:01; 1; Caf\xe9 \x80; b; c; f"}), {"Café €\tb - c\t00:01\tCD\tf"}, one, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.asked.clear();
        WriteFileBytes(path("c.lst"), c.bytes);
        ASSERT_TRUE(load(path("c.lst")));
        EXPECT_EQ(rows(), c.rows);
        EXPECT_EQ(catalog.allTotal(), c.total);
        EXPECT_EQ(dialogs.textsAsked(), c.asked);
        EXPECT_FALSE(catalog.DBModified());
    }
    // Saving writes UTF-8, which reads back the same.
    ASSERT_TRUE(catalog.SaveCatalog(path("w2.lst")));
    EXPECT_TRUE(ReadFileBytes(path("w2.lst")).contains("Caf\xc3\xa9 \xe2\x82\xac"));
    ASSERT_TRUE(load(path("w2.lst")));
    EXPECT_EQ(rows(), cases[std::size(cases) - 1].rows);
}

// The first ten malformed lines are shown one by one, the rest only counted; all are loaded.
TEST_F(CatalogFixture, FloodOfMalformedLines)
{
    catalog.sortOnLoad = false;
    for (int lines : {10, 11, 5000}) {
        QList<QByteArray> bytes;
        QStringList expected;
        for (int i = 1; i <= lines; ++i) {
            bytes << "no catalog line " + QByteArray::number(i);
            if (i <= 10)
                expected << bytes.last();
        }
        if (lines > 10)
            expected << QString("%1 more malformed lines were loaded without a message of their own.").arg(lines - 10);
        WriteFileBytes(path("flood.lst"), CatalogFileBytes(bytes));
        dialogs.asked.clear();
        ASSERT_TRUE(load(path("flood.lst")));
        EXPECT_EQ(catalog.all().count(), lines);
        EXPECT_EQ(dialogs.textsAsked(), expected) << lines;
    }
}

// A file of several batches loads its records in file order and tells its malformed lines in
// that order too, wherever they fall in a batch.
TEST_F(CatalogFixture, LargeLoadsKeepTheFileOrder)
{
    catalog.sortOnLoad = false;
    constexpr int Batch = int(Catalog::LoadBatchLines);
    const int bad[] = {0, Batch / 4 - 1, Batch / 4, Batch - 1, Batch, 2 * Batch - 1, 2 * Batch,
                       2 * Batch + 1, 3 * Batch - 1, 3 * Batch + 99};
    QList<QByteArray> lines;
    QStringList expected;
    for (int i = 0; i < 3 * Batch + 100; ++i) {
        const bool malformed = std::find(std::begin(bad), std::end(bad), i) != std::end(bad);
        lines << (malformed ? "bad line " : "CD; 00:01; 100; a; b; c; f") + QByteArray::number(i);
        if (i == 2 * Batch + 10)
            lines.last() = "cd; 00:01; 100; a; b; c; F10";  // the key of line 10
        if (malformed)
            expected << lines.last();
    }
    WriteFileBytes(path("big.lst"), CatalogFileBytes(lines));
    ASSERT_TRUE(load(path("big.lst")));
    EXPECT_EQ(dialogs.textsAsked(), expected);
    ASSERT_EQ(catalog.all().count(), lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const TSong *song = catalog.all().song(i);
        const bool malformed = lines[i].startsWith("bad");
        // A malformed line is all in its first field, the CD ID, cut to 20 characters.
        const QByteArray field = (malformed ? song->CDID() : song->FileName()).toQString().toUtf8();
        ASSERT_TRUE(malformed ? lines[i].left(20) == field : lines[i].endsWith("; " + field)) << i;
    }
    EXPECT_EQ(catalog.allTotal(), "24676 files,      2MB, 06:51:06 total.");
    // The key index holds every record, the last of equal keys winning across batches too.
    EXPECT_EQ(catalog.songIndex().count(), lines.size() - 1);
    EXPECT_EQ(catalog.songIndex().find("CD\tf10"), catalog.all().song(2 * Batch + 10));
}

TEST_F(CatalogFixture, TotalsText)
{
    EXPECT_EQ(Catalog::TotalsText(1234, 12345678, 18367), "1234 files,   1177MB, 05:06:07 total.");
    EXPECT_EQ(Catalog::TotalsText(1, 0, 360000 + 61), "1 files,      0MB, 100:01:01 total.");
    // Sizes of a very large catalog do not overflow.
    EXPECT_EQ(Catalog::TotalsText(1000000, 50000000000LL, 0), "1000000 files, 4768372MB, 00:00:00 total.");
}

// Loading indexes the records by CD key, case-folded, the last record of a key winning.
TEST_F(CatalogFixture, LoadingIndexesTheRecords)
{
    WriteFileBytes(path("d.lst"), CatalogFileBytes({"CD1; 00:01; 1; first; b; c; Dir\\File.mp3",
                                                    "cd1; 00:01; 1; second; b; c; DIR\\file.MP3",
                                                    "CD2; 00:01; 1; third; b; c; Dir\\File.mp3"}));
    ASSERT_TRUE(load(path("d.lst")));
    EXPECT_EQ(catalog.songIndex().count(), 2);
    TSong *found = catalog.songIndex().find("CD1\tdir\\FILE.mp3");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Artist(), ShortStr("second"));
}

TEST_F(CatalogFixture, SaveWritesHeaderAndArtistKeyOrder)
{
    WriteFileBytes(path("s.lst"), CatalogFileBytes({"CD1; 01:00; 100; beta; x; one; f1",
                                                    "CD1; 01:00; 100; Alpha; x; two; f2",
                                                    "CD2; 01:00; 100; alpha; x; two; f3",
                                                    "CD2; 01:00; 100; Émile; x; t; f4",
                                                    "CD2; 01:00; 100; Zed; x; t; f5"}));
    ASSERT_TRUE(load(path("s.lst")));
    catalog.setDBModified(true);
    ASSERT_TRUE(catalog.SaveCatalog(path("out.lst")));
    EXPECT_FALSE(catalog.DBModified());
    const QList<QByteArray> lines = ReadFileBytes(path("out.lst")).split('\n');
    ASSERT_EQ(lines.size(), 8);  // 7 lines, each ended by CR LF
    EXPECT_EQ(lines[0], "CD#         Time   Size      Artist - CD Name - Song                                                              Full path Name on CD\r");
    EXPECT_EQ(lines[1], QByteArray(11, '-') + " " + QByteArray(5, '-') + "  " + QByteArray(8, '-') + "  "
                            + QByteArray(83, '-') + "  " + QByteArray(95, '-') + "\r");
    EXPECT_TRUE(lines[7].isEmpty());
    // Equal keys (Alpha / alpha) are written in the reverse of their list order.
    EXPECT_TRUE(lines[2].startsWith("CD2       ; 01:00; 00000100; alpha;")) << lines[2].toStdString();
    EXPECT_TRUE(lines[3].startsWith("CD1       ; 01:00; 00000100; Alpha;"));
    EXPECT_TRUE(lines[4].contains("beta"));
    EXPECT_TRUE(lines[5].contains("Émile"));  // locale-aware: É sorts with E, before Z
    EXPECT_TRUE(lines[6].contains("Zed"));
    EXPECT_EQ(lines[2].indexOf("f3"), 114);

    // A record whose text would split its line is not written, and neither is the rest.
    catalog.all().song(0)->SetTexts("A;B", "x", "t", "f9");
    catalog.setDBModified(true);
    EXPECT_FALSE(catalog.SaveCatalog(path("out.lst")));
    EXPECT_EQ(dialogs.textsAsked(), QStringList{"The track f9 (cd CD1) can't be written so that it reads back the same."
                                                " DataBase not saved."});
    EXPECT_EQ(ReadFileBytes(path("out.lst")).split('\n'), lines);
    EXPECT_TRUE(catalog.DBModified());
}

// A save large enough to build its lines in several rounds of two batches writes every line
// once, in order, and nothing at all when a record in a late batch cannot be written.
TEST_F(CatalogFixture, LargeSavesWriteEveryLineOnceInOrder)
{
    constexpr int Batch = int(Catalog::SaveBatchLines);
    constexpr int Tracks = 9 * Batch + 1000;  // rounds of two batches, the last one cut short
    std::vector<int> numbers(Tracks);
    for (int i = 0; i < Tracks; ++i)
        numbers[i] = (i * 7919) % Tracks;  // a shuffle: 7919 is prime to Tracks
    QList<QByteArray> lines;
    for (int n : numbers)
        lines << QByteArray("CD; 01:00; 1; Artist ") + QByteArray::number(n).rightJustified(5, '0') + "; b; c; f"
                     + QByteArray::number(n);
    WriteFileBytes(path("big.lst"), CatalogFileBytes(lines));
    ASSERT_TRUE(load(path("big.lst")));
    ASSERT_TRUE(catalog.SaveCatalog(path("big.lst")));
    const QByteArray saved = ReadFileBytes(path("big.lst"));
    const QList<QByteArray> written = saved.split('\n');
    ASSERT_EQ(written.size(), Tracks + 3);
    for (int n = 0; n < Tracks; ++n)
        ASSERT_TRUE(written[n + 2].contains("Artist " + QByteArray::number(n).rightJustified(5, '0') + ";")) << n;

    catalog.all().song(3 * Batch + 100)->SetTexts("Artist;", "b", "c", "bad");  // the second batch of a round
    EXPECT_FALSE(catalog.SaveCatalog(path("big.lst")));
    ASSERT_EQ(dialogs.textsAsked().size(), 1);
    EXPECT_TRUE(dialogs.textsAsked()[0].startsWith("The track bad (cd CD)"));
    EXPECT_EQ(ReadFileBytes(path("big.lst")), saved);
}

TEST_F(CatalogFixture, CaptionNamesTheCatalog)
{
    struct Case { QString name; QString caption; };
    const Case cases[] = {
        {path("my.lst"), "ZEMLO - MY.LST"},
        {"<NEW>", "ZEMLO - <NEW>"},
        {"", "ZEMLO - "},
        {path("sub/x.lst"), "ZEMLO - " + path("sub/x.lst").toUpper()},
    };
    for (const auto &c : cases) {
        catalog.setDBFileName(c.name);
        catalog.UpdateCaption();
        EXPECT_EQ(catalog.caption(), c.caption);
    }
}
