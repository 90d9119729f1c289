// Import benchmark: a generated tree of FILES MP3 files in DIRS directories imported into a
// catalog of N tracks, every dialog answered at once (CD ID, source, Add), against `cat` of the
// same files in the same run. The time covers the scan, the translation, the measurement of each
// file (size and play time through the decoder) and the adding; the catalog is not sorted (no
// sort key is in force), so the re-sort after an import is timed on its own.
//
//   import_bench [N [FILES [DIRS [ROUNDS]]]]
//
// Defaults: 1,000,000 tracks, 1,000 files in 20 directories, 3 rounds; each round imports the
// tree under a new CD ID, so the catalog grows by FILES tracks per round. The same import into
// an empty catalog shows whether the adding cost depends on the catalog's size.

#include "app/Config.h"
#include "app/NullDialogs.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogSort.h"
#include "catalog/TSong.h"
#include "import/CDImport.h"
#include "import/ImportFormats.h"
#include "import/ImportInfoForm.h"
#include "import/ImportTracksForm.h"
#include "import/TrackMeasurement.h"
#include "player/TMPEGPlayer.h"
#include "selection/TrackFileLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {
[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "import_bench: %s\n", what);
    std::exit(1);
}

// Answers like a user in a hurry: the CD ID and source given, Start, Add, Yes and OK.
class BenchDialogs : public NullDialogs {
public:
    QString cdId, source;
    int boxes = 0;

    int MessageBox(MsgDlgType, const QString &, MsgDlgButtons buttons) override
    {
        ++boxes;
        return (buttons & ButtonSet({mbYes})) ? mrYes : mrOk;
    }
    void ImportInfo(ImportInfoForm &form) override
    {
        form.CDNum = cdId;
        form.Source = source;
        form.BitBtn1Click();
    }
    void ImportTracks(ImportTracksForm &form) override
    {
        form.FormActivate();
        form.OkBtnClick();
    }
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void AddGeneratedTracks(Catalog &catalog, long n)
{
    constexpr long batchSize = 10000;
    for (long first = 0; first < n; first += batchSize) {
        std::vector<std::unique_ptr<TSong>> batch;
        for (long i = first; i < std::min(n, first + batchSize); ++i) {
            auto song = std::make_unique<TSong>();
            const std::string k = std::to_string(i);
            song->ParseLine(ShortStr::fromUtf8("CD" + std::to_string(i / 15) + "; 03:00; 3000000; Artist " + k
                                               + "; Album " + std::to_string(i / 15) + "; Song " + k + "; dir\\"
                                               + k + ".mp3"));
            batch.push_back(std::move(song));
        }
        catalog.AddTracks(std::move(batch));
    }
}

// One MP3 of two seconds, copied to every file of the tree.
void MakeTree(const QString &root, int files, int dirs)
{
    QDir().mkpath(root);
    const QString first = root + "/first.mp3";
    QProcess lame;
    lame.start("sh", {"-c", "head -c 88200 /dev/zero | lame --quiet -r -s 22.05 -m m --bitwidth 16 - \"$0\" 2>/dev/null", first});
    if (!lame.waitForFinished(60000) || lame.exitCode() != 0)
        Fail("lame failed; is it installed?");
    for (int i = 0; i < files; ++i) {
        const QString dir = root + QString("/Artist %1-Album %1").arg(i % dirs);
        QDir().mkpath(dir);
        if (!QFile::copy(first, dir + QString("/Artist %1-Album %2-Track %3.mp3").arg(i % dirs).arg(i % dirs).arg(i)))
            Fail("cannot copy the MP3 file");
    }
    QFile::remove(first);
}

double CatSeconds(const QString &root)
{
    QElapsedTimer timer;
    timer.start();
    QProcess cat;
    cat.start("sh", {"-c", "find \"$0\" -name '*.mp3' -exec cat {} + > /dev/null", root});
    if (!cat.waitForFinished(-1) || cat.exitCode() != 0)
        Fail("cat failed");
    return timer.nsecsElapsed() / 1e9;
}

struct Setup {
    BenchDialogs dialogs;
    Config config;
    Catalog catalog{dialogs, "", "ZEMLO"};
    TMPEGPlayer player;
    TrackFileLocator locator{config, dialogs};
    TrackMeasurement measurement{locator, player, catalog};
    ImportFormats formats;
    CDImport import{config, catalog, measurement, formats, dialogs};
};

struct Timings {
    std::vector<double> imports;
    double cdIdCheck = 0;
    double resort = 0;
};

// Seconds of each round's import into a catalog of n tracks, and of one re-sort after them.
Timings ImportRounds(long n, const QString &root, int files, int rounds)
{
    Setup s;
    s.player.SetPathToDLL(ShortStr::fromQString(QCoreApplication::applicationDirPath()));
    s.player.InitLibrary();
    AddGeneratedTracks(s.catalog, n);
    s.config.CDPathCount = 1;
    s.config.CDPaths[1] = ShortStr::fromQString(root + "/");
    s.dialogs.source = root;
    Timings t;
    for (int r = 0; r < rounds; ++r) {
        s.dialogs.cdId = QString("NEW%1").arg(r);
        QElapsedTimer timer;
        timer.start();
        s.import.ImportCDTracks1Click();
        t.imports.push_back(timer.nsecsElapsed() / 1e9);
        if (s.catalog.all().count() != n + (r + 1) * files)
            Fail("the import did not add every file");
        for (const TSong *song : s.catalog.all().songs())
            if (song->CDID() == ShortStr::fromQString(s.dialogs.cdId) && (song->Seconds != 2 || song->Size <= 0))
                Fail("a track was not measured");
    }
    // The check whether the CD ID is in use: one pass over the catalog per import.
    QElapsedTimer check;
    check.start();
    if (s.import.CDIDExists("no such CD"))
        Fail("a CD ID that is not there was found");
    t.cdIdCheck = check.nsecsElapsed() / 1e9;
    // What the forced re-sort at the end of an import costs when a key is in force.
    QElapsedTimer timer;
    timer.start();
    s.catalog.sorter().SortbyBand1Click();
    t.resort = timer.nsecsElapsed() / 1e9;
    s.player.DoneLibrary();
    return t;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const long n = argc > 1 ? atol(argv[1]) : 1000000;
    const int files = argc > 2 ? atoi(argv[2]) : 1000;
    const int dirs = argc > 3 ? atoi(argv[3]) : 20;
    const int rounds = argc > 4 ? atoi(argv[4]) : 3;
    if (n < 0 || files <= 0 || dirs <= 0 || rounds <= 0)
        Fail("usage: import_bench [N [FILES [DIRS [ROUNDS]]]]");

    QTemporaryDir dir;
    const QString root = dir.filePath("disc");
    MakeTree(root, files, dirs);
    CatSeconds(root); // brings the files into the cache
    std::vector<double> cat;
    for (int r = 0; r < rounds; ++r)
        cat.push_back(CatSeconds(root));

    try {
        std::printf("%d files in %d directories, %d rounds (median)\n", files, dirs, rounds);
        for (long size : {0L, n}) {
            std::printf("catalog of %ld tracks:\n", size);
            const Timings t = ImportRounds(size, root, files, rounds);
            const double seconds = Median(t.imports);
            std::printf("  import: %.3f s, %.0f files/s; of it the CD ID check: %.3f s; a re-sort by Artist "
                        "afterwards: %.3f s\n",
                        seconds, files / seconds, t.cdIdCheck, t.resort);
        }
    } catch (const TMPEGError &e) {
        Fail(e.what());
    }
    const double catSeconds = Median(cat);
    std::printf("cat of the same files: %.3f s, %.0f files/s\n", catSeconds, files / catSeconds);
    return 0;
}
