#include "catalog/Catalog.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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
    QStringList rows() const
    {
        QStringList out;
        for (int i = 0; i < catalog.all().count(); ++i)
            out << catalog.all().rowText(i).toQString();
        return out;
    }
};
} // namespace

TEST_F(CatalogFixture, EmptyFilesGiveEmptyCatalog)
{
    for (const QByteArray &bytes : {QByteArray(), QByteArray("title\r\nruler\r\n"), QByteArray("title\r\nruler")}) {
        WriteFileBytes(path("e.lst"), bytes);
        ASSERT_TRUE(load(path("e.lst")));
        EXPECT_EQ(catalog.all().count(), 0);
        EXPECT_EQ(catalog.allTotal(), "0 files,      0MB, 00:00:00 total.");
    }
}

TEST_F(CatalogFixture, ReadingRules)
{
    // Two header lines are always skipped; CR, CR LF and LF end lines; an empty line is a track;
    // Ctrl+Z ends the file. Rows stay in file order here: no sort after the load.
    catalog.sortOnLoad = false;
    WriteFileBytes(path("c.lst"), "A; 00:01; 1; a; b; c; f1\r\nB; 00:01; 1; a; b; c; f2\r\n"
                                  "C; 00:02; 200; x; y; z; f3\r\n\r\nD; 01:00; 300; x; y; z; f4\n"
                                  "E; 00:03; 0; x; y; z; f5\rF; 00:04; 0; x; y; z; f6\x1aG; 1; 1; 1; 1; 1; 1\r\n");
    ASSERT_TRUE(load(path("c.lst")));
    const QStringList r = rows();
    ASSERT_EQ(r.size(), 5) << r.join("|").toStdString();
    EXPECT_EQ(r[0], "x\ty - z\t00:02\tC");
    EXPECT_EQ(r[1], " \t \t \t ");
    EXPECT_EQ(r[4], "x\ty - z\t00:04\tF");
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].text, "");
    EXPECT_EQ(catalog.allTotal(), "5 files,      0MB, 00:01:09 total.");
    EXPECT_FALSE(catalog.DBModified());
}

TEST_F(CatalogFixture, LongLinesAreCutTo255Characters)
{
    QByteArray line = "CD; 00:01; 1; a; b; c; ";
    line += QByteArray(300, 'f');
    WriteFileBytes(path("l.lst"), CatalogFileBytes({line}));
    ASSERT_TRUE(load(path("l.lst")));
    EXPECT_EQ(catalog.all().song(0)->FileName().length(), 255 - (line.size() - 300));
}

TEST_F(CatalogFixture, TotalsText)
{
    EXPECT_EQ(Catalog::TotalsText(1234, 12345678, 18367), "1234 files,   1177MB, 05:06:07 total.");
    EXPECT_EQ(Catalog::TotalsText(1, 0, 360000 + 61), "1 files,      0MB, 100:01:01 total.");
    // Sizes of a very large catalog do not overflow.
    EXPECT_EQ(Catalog::TotalsText(1000000, 50000000000LL, 0), "1000000 files, 4768372MB, 00:00:00 total.");
}

TEST_F(CatalogFixture, SongIndexKeepsOneEntryPerKeyIgnoringCase)
{
    WriteFileBytes(path("d.lst"), CatalogFileBytes({"CD1; 00:01; 1; first; b; c; Dir\\File.mp3",
                                                    "cd1; 00:01; 1; second; b; c; DIR\\file.MP3",
                                                    "CD2; 00:01; 1; third; b; c; Dir\\File.mp3"}));
    ASSERT_TRUE(load(path("d.lst")));
    EXPECT_EQ(catalog.all().count(), 3);
    EXPECT_EQ(catalog.songIndex().count(), 2);
    TSong *found = catalog.songIndex().find("CD1\tdir\\FILE.mp3");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->Artist(), ShortStr("second"));
    EXPECT_EQ(catalog.songIndex().find("CD3\tDir\\File.mp3"), nullptr);
    // Deleting the record that the entry refers to leaves no entry for the key.
    catalog.DeleteTracks({found});
    EXPECT_EQ(catalog.songIndex().find("CD1\tDir\\File.mp3"), nullptr);
    EXPECT_EQ(catalog.songIndex().count(), 1);
}

TEST_F(CatalogFixture, Encodings)
{
    // UTF-8 is read as it is; a file that is not valid UTF-8 is Windows-1252.
    WriteFileBytes(path("u.lst"), CatalogFileBytes({"CD; 00:01; 1; Sœur Kovač; b; c; f"}));
    ASSERT_TRUE(load(path("u.lst")));
    EXPECT_EQ(catalog.all().song(0)->Artist().toQString(), QString::fromUtf8("Sœur Kovač"));

    WriteFileBytes(path("w.lst"), CatalogFileBytes({"CD; 00:01; 1; Caf\xe9 \x80; b; c; f", "CD; 00:01; 1; plain; b; c; g"}));
    ASSERT_TRUE(load(path("w.lst")));
    EXPECT_EQ(catalog.all().song(0)->Artist().toQString(), QString::fromUtf8("Café €"));

    // Saving writes UTF-8, and reading it again gives the same texts.
    ASSERT_TRUE(catalog.SaveCatalog(path("w2.lst")));
    const QByteArray written = ReadFileBytes(path("w2.lst"));
    EXPECT_TRUE(written.contains("Caf\xc3\xa9 \xe2\x82\xac"));
    ASSERT_TRUE(load(path("w2.lst")));
    EXPECT_EQ(catalog.all().song(0)->Artist().toQString(), QString::fromUtf8("Café €"));
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
    EXPECT_EQ(lines[0].size(), 135);
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
}

TEST_F(CatalogFixture, FailedSaveKeepsOldFileAndReportsIt)
{
    WriteFileBytes(path("keep.lst"), CatalogFileBytes({"CD1; 01:00; 100; a; b; c; f1"}));
    ASSERT_TRUE(load(path("keep.lst")));
    const QByteArray before = ReadFileBytes(path("keep.lst"));
    catalog.setDBModified(true);

    // A directory that cannot be written: nothing is replaced, the user is told.
    QDir(dir.path()).mkdir("ro");
    WriteFileBytes(path("ro/keep.lst"), before);
    ASSERT_EQ(chmod(QFile::encodeName(path("ro")).constData(), 0555), 0);
    const bool asRoot = geteuid() == 0;
    if (!asRoot) {
        EXPECT_FALSE(catalog.SaveCatalog(path("ro/keep.lst")));
        EXPECT_TRUE(catalog.DBModified());
        EXPECT_EQ(ReadFileBytes(path("ro/keep.lst")), before);
        ASSERT_EQ(dialogs.asked.size(), 1u);
        EXPECT_EQ(dialogs.asked[0].text, "Error saving DataBase to " + path("ro/keep.lst") + " !");
        dialogs.asked.clear();
    }
    chmod(QFile::encodeName(path("ro")).constData(), 0755);

    // A path whose directory does not exist fails for root too.
    const QString missing = path("no/such/dir/x.lst");
    EXPECT_FALSE(catalog.SaveCatalog(missing));
    EXPECT_TRUE(catalog.DBModified());
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].type, MsgDlgType::Error);
    EXPECT_EQ(dialogs.asked[0].text, "Error saving DataBase to " + missing + " !");
}

TEST_F(CatalogFixture, UnreadableFileChangesNothingButCaption)
{
    WriteFileBytes(path("a.lst"), CatalogFileBytes({"CD1; 01:00; 100; a; b; c; f1"}));
    ASSERT_TRUE(load(path("a.lst")));
    catalog.setDBModified(true);
    const QString total = catalog.allTotal();
    for (const QString &bad : {path("missing.lst"), dir.path(), QString()}) {
        EXPECT_FALSE(load(bad));
        EXPECT_EQ(catalog.all().count(), 1);
        EXPECT_TRUE(catalog.DBModified());
        EXPECT_EQ(catalog.allTotal(), total);
    }
}

TEST_F(CatalogFixture, CaptionNamesTheCatalog)
{
    struct Case { QString name; QString caption; };
    const Case cases[] = {
        {path("my.lst"), "ZEMLO - MY.LST"},
        {"/elsewhere/Data/my.lst", "ZEMLO - /ELSEWHERE/DATA/MY.LST"},
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
